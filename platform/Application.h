#pragma once
#include <string>

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

    // The caption used by message boxes that have none of their own.
    virtual std::string title() const = 0;
};

} // namespace platform
