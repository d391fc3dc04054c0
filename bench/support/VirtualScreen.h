#pragma once
#include <QImage>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <sys/types.h>

namespace bench {

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

// A virtual X screen (Xvfb) of its own, for programs a benchmark starts: what
// they paint is read back from the screen, and the pointer moves and clicks
// through the XTEST extension, as a user's would.
class VirtualScreen {
public:
    VirtualScreen(int width, int height);
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // The DISPLAY value for programs to start on this screen.
    const std::string& display() const { return name_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Where a shown top-level window of exactly this size lies, if there is one.
    std::optional<ScreenRect> findWindow(int width, int height) const;
    // A digest of the pixels inside a rectangle: equal digests, equal looks.
    std::uint64_t digest(const ScreenRect& rect);
    // What the rectangle shows.
    QImage picture(const ScreenRect& rect);
    // Writes what the rectangle shows to a PNG file (to see why a wait failed).
    void savePng(const ScreenRect& rect, const std::string& file);

    void movePointer(int x, int y);
    void click(int x, int y);
    // Presses the keys, named by their X keysyms ("Control_L", "a", "1",
    // "Return"), in order, and lets them go in the reverse order.
    void pressKeys(const std::vector<std::string>& keys);

private:
    struct SharedImage;
    SharedImage& imageOfSize(int width, int height);
    const std::uint32_t* grab(const ScreenRect& rect);

    int width_;
    int height_;
    std::string name_;
    pid_t server_ = -1;
    struct Connection;
    std::unique_ptr<Connection> x_;
    std::map<std::pair<int, int>, std::unique_ptr<SharedImage>> images_;
};

} // namespace bench
