#pragma once
// A private X screen (Xvfb) for the disc's programs, driven from outside as a
// user would: the pointer moves and clicks, keys are typed (xdotool), and
// screenshots are taken of the whole screen (ImageMagick's import).
#include "Programs.h"

#include <memory>
#include <string>

namespace testsupport {

class VirtualScreen {
public:
    // Starts the server on a display nobody uses; its output goes to `logFile`.
    // Throws std::runtime_error when no server comes up.
    VirtualScreen(int width, int height, const std::string& logFile);

    // ":N", for the programs' DISPLAY.
    const std::string& display() const { return display_; }

    // Moves the pointer there, lets the window see it arrive, then clicks.
    void click(int x, int y) const;
    // Types ASCII text into the window that has the focus.
    void type(const std::string& text) const;
    // Presses a key by its X name ("Return").
    void key(const std::string& name) const;
    // Writes the whole screen as a PNG file; false when it could not.
    bool screenshot(const std::string& file) const;

private:
    void xdotool(std::vector<std::string> arguments) const;

    std::string display_;
    std::unique_ptr<platform::ChildProcess> server_;
};

} // namespace testsupport
