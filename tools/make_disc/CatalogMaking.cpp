#include "CatalogMaking.h"
#include "BookChecks.h"
#include "BooksDatabase.h"
#include "BooksFile.h"
#include "CategoryPaths.h"
#include "CategoryTable.h"
#include "catalog/Database.h"
#include "catalog/DatabaseFile.h"

namespace makedisc {

namespace {

template <class Tree>
void addBook(Catalog& catalog, BookChecks& checks, Tree& tree, const SourceBook& row, std::int32_t id)
{
    auto book = checks.check(row);
    if (!book)
        return;
    const auto category = tree.categoryOf(row[BookField::Category]);
    if (!category)
        return;
    book->id = id;
    book->categoryId = *category;
    catalog.books.push_back(std::move(*book));
}

Catalog fromBooksFile(const BooksSource& source, const FontCoverage& fonts, Report& report)
{
    BookChecks checks(fonts, report);
    CategoryPaths tree(checks, report);
    Catalog catalog;
    for (const SourceBook& row : ReadBooksFile(source.path, source.encoding, report)) {
        if (std::int32_t(catalog.books.size()) == kLargestId) {
            report.problem(row.place, "the catalog holds " + std::to_string(kLargestId) + " books already, its most",
                           "this row and the rest are skipped");
            break;
        }
        addBook(catalog, checks, tree, row, std::int32_t(catalog.books.size()) + 1);
    }
    catalog.categories = tree.categories();
    return catalog;
}

Catalog fromDatabase(const BooksSource& source, const FontCoverage& fonts, Report& report)
{
    const DatabaseContent content = ReadBooksDatabase(source.path, source.jetHelper, report);
    BookChecks checks(fonts, report);
    CategoryTable tree(content.categories, checks, report);
    Catalog catalog;
    for (const SourceBook& row : content.books)
        addBook(catalog, checks, tree, row, *row.id);
    catalog.categories = tree.categories();
    return catalog;
}

} // namespace

bool IsDatabaseFile(const std::string& path)
{
    try {
        catalog::RecogniseDatabaseFile(path);
        return true;
    } catch (const catalog::DatabaseError&) {
        return false; // text, or nothing readable: the books file reader says which
    }
}

Catalog MakeCatalog(const BooksSource& source, const FontCoverage& fonts, Report& report)
{
    return IsDatabaseFile(source.path) ? fromDatabase(source, fonts, report) : fromBooksFile(source, fonts, report);
}

} // namespace makedisc
