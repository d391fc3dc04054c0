#pragma once
// A private X screen (Xvfb) for the disc's programs, driven from outside as a
// user would: the pointer moves and clicks and keys are typed through the
// XTEST extension, and what the programs paint is read back from the screen.
#include "platform/ChildProcess.h"

#include <QImage>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // This rectangle moved by a window's place on the screen.
    ScreenRect inside(const ScreenRect& window) const { return {window.x + x, window.y + y, width, height}; }
    int centreX() const { return x + width / 2; }
    int centreY() const { return y + height / 2; }
};

class VirtualScreen {
public:
    // Starts the server on a display it picks itself; its messages go to
    // `logFile`, or to this program's error output. Throws
    // std::runtime_error when no server comes up.
    VirtualScreen(int width, int height, const std::string& logFile = {});
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // ":N", for the programs' DISPLAY.
    const std::string& display() const { return display_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Where a shown top-level window of exactly this size lies, if there is one.
    std::optional<ScreenRect> findWindow(int width, int height) const;
    // A digest of the pixels inside a rectangle: equal digests, equal looks.
    std::uint64_t digest(const ScreenRect& rect);
    // What the rectangle shows.
    QImage picture(const ScreenRect& rect);
    // Writes the whole screen as a PNG file; false when it could not.
    bool screenshot(const std::string& file);

    void movePointer(int x, int y) const;
    // Moves the pointer there, lets the window see it arrive, then clicks:
    // a page under the pointer acts on a press only once it has seen the
    // pointer arrive.
    void click(int x, int y) const;
    // Moves the pointer there and clicks in the same moment, for timing
    // what follows a click.
    void clickAtOnce(int x, int y) const;
    // Presses the keys, named by their X keysyms ("Control_L", "a", "1",
    // "Return"), in order, and lets them go in the reverse order.
    void pressKeys(const std::vector<std::string>& keys) const;
    // Types ASCII text into the window that has the focus, a key at a time.
    void type(const std::string& text) const;

private:
    struct Connection;
    struct SharedImage;
    SharedImage& imageOfSize(int width, int height);
    const std::uint32_t* grab(const ScreenRect& rect);
    void pressCodes(const std::vector<unsigned char>& codes) const;

    int width_;
    int height_;
    platform::ChildProcess server_;
    std::string display_;
    std::unique_ptr<Connection> x_;
    std::map<std::pair<int, int>, std::unique_ptr<SharedImage>> images_;
};

} // namespace testsupport
