#include "JetProcess.h"
#include "Database.h"
#include "platform/ChildRun.h"

#include <system_error>

namespace catalog {

SqliteDatabase ReadJetFileInChild(const std::string& path, const std::string& helper, const JetReadLimits& limits)
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
