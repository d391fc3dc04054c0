#include "JetProcess.h"
#include "Database.h"
#include "platform/ChildRun.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace catalog {

namespace {

bool isExecutable(const std::filesystem::path& file)
{
    return ::access(file.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(file);
}

} // namespace

std::string JetCopyProgram()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && isExecutable(self.parent_path() / "jetcopy"))
        return (self.parent_path() / "jetcopy").string();
    return BOOKDISC_BUILT_JETCOPY;
}

SqliteDatabase ReadJetFileInChild(const std::string& path, const JetReadLimits& limits, const std::string& helper)
{
    platform::ChildResult child;
    try {
        child = platform::RunChildProcess(helper, {path}, {limits.time, limits.imageBytes, limits.warningBytes});
    } catch (const std::system_error& e) {
        throw DatabaseError("cannot read the Jet database " + path + ": " + e.what());
    }
    if (!child.succeeded())
        throw DatabaseError("cannot read the Jet database " + path + ": its reader " + child.describe());
    return DeserializeSqlite(child.output);
}

} // namespace catalog
