-- The catalog's two tables. Other fields may follow in real catalogs; the
-- program reads only these.
CREATE TABLE BookType (
  ID INTEGER PRIMARY KEY,
  Name TEXT NOT NULL,
  ParentID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX BookTypeByParent ON BookType (ParentID);

CREATE TABLE WebBook (
  ID INTEGER PRIMARY KEY,
  Code TEXT NOT NULL,
  Name TEXT,
  Writer TEXT,
  ISBN TEXT,
  Price REAL,
  BookBrief TEXT,
  BookType INTEGER NOT NULL,
  Isdeleted INTEGER NOT NULL DEFAULT 0,
  IsRecommended INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX WebBookByTypeAndName ON WebBook (BookType, Name);
CREATE INDEX WebBookByName ON WebBook (Name);
