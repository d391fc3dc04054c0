#pragma once
#include <string>
#include <vector>

namespace platform {

// Process-wide services of the running program.
class Application {
public:
    virtual ~Application() = default;

    // The folder of the running program; no trailing separator except at the
    // file-system root ("/").
    virtual std::string programFolder() const = 0;
    // True when another process of this program runs for the same user.
    virtual bool anotherInstanceRunning() = 0;

    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;

    // Ends the process at once with the given status; does not return.
    [[noreturn]] virtual void end(int status = 0) = 0;

    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool folderExists(const std::string& path) const = 0;
    bool pathExists(const std::string& path) const { return fileExists(path) || folderExists(path); }
    // The names of the files in a folder (found whatever its letter case), in
    // name order; none when it cannot be read.
    virtual std::vector<std::string> filesIn(const std::string& folder) const = 0;

    // The caption used by message boxes that have none of their own.
    virtual std::string title() const = 0;
};

} // namespace platform
