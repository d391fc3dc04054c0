#include "BookChecks.h"
#include "base/Text.h"

#include <algorithm>
#include <charconv>
#include <cctype>

namespace makedisc {

namespace {

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view trimmedView(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// What keeps a code from naming a file of the covers folder; empty when nothing.
std::string fileNameFault(const std::string& code)
{
    if (code == "." || code == "..")
        return "it names a folder";
    for (char c : code) {
        if (c == '/' || c == '\\')
            return std::string("it holds \"") + c + "\"";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "it holds a control character";
    }
    return {};
}

// A spreadsheet that took an ISBN for a number writes it as "9.78704E+12":
// its last digits are gone.
bool lostDigits(const std::string& isbn)
{
    const auto e = isbn.find_first_of("Ee");
    return e != std::string::npos && e + 1 < isbn.size() && isbn[e + 1] == '+' &&
           std::all_of(isbn.begin(), isbn.begin() + e, [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.'; });
}

// "35", "35.00", "35元" and "￥35.5" are prices; nothing else is.
std::optional<double> readPrice(std::string_view text)
{
    text = trimmedView(text);
    for (std::string_view sign : {"\xEF\xBF\xA5", "\xC2\xA5"}) // ￥ and ¥
        if (text.starts_with(sign))
            text = trimmedView(text.substr(sign.size()));
    if (text.ends_with("\xE5\x85\x83")) // 元
        text = trimmedView(text.substr(0, text.size() - 3));
    const auto point = text.find('.');
    if (!allDigits(text.substr(0, point)) || (point != std::string_view::npos && !allDigits(text.substr(point + 1))))
        return std::nullopt;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

BookChecks::BookChecks(const FontCoverage& fonts, Report& report) : fonts_(fonts), report_(report) {}

std::optional<Book> BookChecks::check(const SourceBook& source)
{
    const Cell& code = source[BookField::Code];
    const Cell& name = source[BookField::Name];
    if (code.text.empty()) {
        report_.problem(code.place, "no code", "the row is skipped");
        return std::nullopt;
    }
    if (name.text.empty()) {
        report_.problem(name.place, "no name", "the row is skipped");
        return std::nullopt;
    }
    if (!usableCode(code, source.place))
        return std::nullopt;
    Book book{0, code.text, name.text, source[BookField::Writer].text, isbn(source[BookField::Isbn]),
              price(source[BookField::Price]), source[BookField::Brief].text, 0,
              recommended(source[BookField::Recommended]), code.place};
    for (BookField text : {BookField::Code, BookField::Name, BookField::Writer, BookField::Isbn, BookField::Brief})
        checkCharacters(source[text]);
    return book;
}

void BookChecks::checkCharacters(const Cell& cell)
{
    if (const auto missing = fonts_.firstMissing(cell.text))
        report_.problem(cell.place, Quoted(cell.text) + " holds " + CharacterName(*missing) + ", which the disc's fonts lack",
                        "it is kept as it is and may show as a box");
}

bool BookChecks::usableCode(const Cell& code, const std::string& rowPlace)
{
    if (const std::string fault = fileNameFault(code.text); !fault.empty()) {
        report_.problem(code.place, "the code " + Quoted(code.text) + " cannot name a cover file: " + fault,
                        "the row is skipped");
        return false;
    }
    const auto [taken, isNew] = codes_.emplace(base::toUpperAscii(code.text), rowPlace);
    if (!isNew) {
        report_.problem(code.place, "the code " + Quoted(code.text) + " is already the code of the book at " + taken->second,
                        "this row is skipped");
        return false;
    }
    return true;
}

std::optional<double> BookChecks::price(const Cell& cell)
{
    if (cell.text.empty())
        return std::nullopt;
    const auto value = readPrice(cell.text);
    if (!value)
        report_.problem(cell.place, "the price " + Quoted(cell.text) + " is not a number", "the book is kept without a price");
    return value;
}

bool BookChecks::recommended(const Cell& cell)
{
    static const char* const yes[] = {"是", "y", "yes", "true", "1", "-1", "√", "✓", "推荐"};
    static const char* const no[] = {"否", "n", "no", "false", "0", "不推荐"};
    auto among = [&](const auto& words) {
        return std::any_of(std::begin(words), std::end(words), [&](const char* w) { return base::equalsNoCase(cell.text, w); });
    };
    if (among(yes))
        return true;
    if (!cell.text.empty() && !among(no))
        report_.problem(cell.place, Quoted(cell.text) + " is neither yes nor no", "the book is not recommended");
    return false;
}

std::string BookChecks::isbn(const Cell& cell)
{
    if (!lostDigits(cell.text))
        return cell.text;
    report_.problem(cell.place, "the ISBN " + Quoted(cell.text) + " was saved as a number and has lost digits",
                    "the book is kept without an ISBN");
    return {};
}

} // namespace makedisc
