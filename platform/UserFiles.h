#pragma once
#include <optional>
#include <string>

namespace platform {

// Small files a program keeps for its user in the user's own data folder,
// never beside the program (which runs from a read-only disc). Names are
// plain file names.
class UserFiles {
public:
    virtual ~UserFiles() = default;
    // The whole content; nothing when the file is not there or cannot be read.
    virtual std::optional<std::string> read(const std::string& name) = 0;
    // Replaces the file whole: a failure or a crash leaves the old content.
    // False when it could not be written.
    virtual bool write(const std::string& name, const std::string& content) = 0;
    // Where the files are kept, to tell the user.
    virtual std::string folder() const = 0;
};

} // namespace platform
