-- A few categories and books of the sample disc's catalog: a small seed for
-- fuzzing the database reader.
BEGIN;
INSERT INTO BookType (ID, Name, ParentID) VALUES (1, '文学', 0);
INSERT INTO BookType (ID, Name, ParentID) VALUES (2, '中国古典小说', 1);
INSERT INTO BookType (ID, Name, ParentID) VALUES (3, '现当代小说', 1);
INSERT INTO BookType (ID, Name, ParentID) VALUES (4, '武侠小说', 3);
INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookBrief, BookType, Isdeleted, IsRecommended) VALUES (1, 'TB0001', '红楼梦', '曹雪芹 高鹗', '9787000500372', 59.8, '以贾、史、王、薛四大家族的兴衰为背景，描写了贾宝玉与林黛玉的爱情悲剧。被誉为中国古典小说的巅峰之作。', 2, 0, 1);
INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookBrief, BookType, Isdeleted, IsRecommended) VALUES (2, 'TB0002', '三国演义', '罗贯中', '9787000500747', 48, '描写东汉末年到西晋初年近百年间的历史风云。全书以蜀汉兴亡为主线，塑造了诸葛亮、关羽等众多人物形象。', 2, 0, 1);
INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookBrief, BookType, Isdeleted, IsRecommended) VALUES (3, 'TB0003', '水浒传', '施耐庵', '9787000501119', 45.5, '讲述北宋末年以宋江为首的一百零八位好汉聚义梁山泊的故事。', 2, 0, 0);
INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookBrief, BookType, Isdeleted, IsRecommended) VALUES (4, 'TB0004', '西游记', '吴承恩', '9787000501485', 46, '唐僧师徒四人西天取经，历经九九八十一难终成正果。想象奇特，妙趣横生。', 2, 0, 1);
COMMIT;
