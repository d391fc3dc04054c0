#include "DatabaseFile.h"
#include "Database.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

namespace catalog {

namespace {

constexpr std::string_view sqliteSignature{"SQLite format 3\0", 16};
constexpr std::string_view jetSignature{"Standard Jet DB\0", 16};
constexpr std::size_t jetSignatureOffset = 4;
constexpr std::size_t headerSize = jetSignatureOffset + jetSignature.size();

void checkIsReadableFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    auto status = fs::status(path, error);
    if (!fs::exists(status))
        throw DatabaseError("the database file does not exist: " + path);
    if (!fs::is_regular_file(status))
        throw DatabaseError("the database path is not a file: " + path);
    if (fs::file_size(path, error) == 0)
        throw DatabaseError("the database file is empty: " + path);
}

std::optional<DatabaseFormat> formatOfHeader(std::string_view header)
{
    if (header.starts_with(sqliteSignature))
        return DatabaseFormat::Sqlite;
    if (header.size() >= headerSize && header.substr(jetSignatureOffset, jetSignature.size()) == jetSignature)
        return DatabaseFormat::Jet;
    return std::nullopt;
}

} // namespace

DatabaseFormat RecogniseDatabaseFile(const std::string& path)
{
    checkIsReadableFile(path);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw DatabaseError("the database file cannot be read: " + path);
    std::string header(headerSize, '\0');
    file.read(header.data(), static_cast<std::streamsize>(header.size()));
    header.resize(static_cast<std::size_t>(file.gcount()));
    auto format = formatOfHeader(header);
    if (!format)
        throw DatabaseError("the file is neither an SQLite nor a Jet database: " + path);
    return *format;
}

} // namespace catalog
