#include "BookColumns.h"
#include "CellText.h"
#include "base/Text.h"

#include <initializer_list>

namespace makedisc {

namespace {

struct FieldNames {
    BookField field;
    const char* header;
    std::initializer_list<const char*> names;
};

// Chinese and English names, and the catalog database's own field names,
// which a table exported from an older disc carries.
const FieldNames kNames[] = {
    {BookField::Code, "书号/Code", {"书号", "Code"}},
    {BookField::Name, "书名/Name", {"书名", "Name", "Title"}},
    {BookField::Writer, "作者/Author", {"作者", "Author", "Writer"}},
    {BookField::Isbn, "ISBN", {"ISBN"}},
    {BookField::Price, "定价/Price", {"定价", "Price"}},
    {BookField::Brief, "简介/Brief", {"简介", "Brief", "BookBrief"}},
    {BookField::Category, "分类/Category", {"分类", "Category"}},
    {BookField::Recommended, "推荐/Recommended", {"推荐", "Recommended", "IsRecommended"}},
};

} // namespace

std::optional<BookField> FieldNamed(std::string_view header)
{
    const std::string name = TrimCell(header);
    for (const FieldNames& entry : kNames)
        for (const char* known : entry.names)
            if (base::equalsNoCase(name, known))
                return entry.field;
    return std::nullopt;
}

const char* HeaderOf(BookField field) { return kNames[std::size_t(field)].header; }

} // namespace makedisc
