#include "VirtualScreen.h"

#include <QImage>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace testsupport {

struct VirtualScreen::Connection {
    Display* display = nullptr;
    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
};

// A picture of one size in memory shared with the server: reading the screen
// into it costs one copy, which lets a benchmark look every few milliseconds.
struct VirtualScreen::SharedImage {
    Display* display;
    XShmSegmentInfo segment{};
    XImage* image = nullptr;

    SharedImage(Display* d, int width, int height) : display(d)
    {
        const int screen = DefaultScreen(d);
        image = XShmCreateImage(d, DefaultVisual(d, screen), unsigned(DefaultDepth(d, screen)), ZPixmap, nullptr,
            &segment, unsigned(width), unsigned(height));
        if (!image || image->bits_per_pixel != 32)
            throw std::runtime_error("the virtual screen is not a 32-bit true-colour screen");
        segment.shmid = shmget(IPC_PRIVATE, std::size_t(image->bytes_per_line) * height, IPC_CREAT | 0600);
        segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
        segment.readOnly = False;
        XShmAttach(d, &segment);
        XSync(d, False);
        // Gone with the last detach, even if the program is killed.
        shmctl(segment.shmid, IPC_RMID, nullptr);
    }
    ~SharedImage()
    {
        XShmDetach(display, &segment);
        XDestroyImage(image);
        shmdt(segment.shmaddr);
    }
};

namespace {

// Xvfb picks a display nobody uses and writes its number on its standard
// output once it accepts connections.
platform::ChildSettings serverSettings(int width, int height, const std::string& logFile)
{
    const std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "x24";
    return {.argv = {"Xvfb", "-displayfd", "1", "-screen", "0", geometry, "-nolisten", "tcp", "-noreset"},
            .output = platform::Sink::Pipe,
            .errorOutput = logFile.empty() ? platform::Sink::Inherited : platform::Sink::File,
            .file = logFile};
}

std::string displayOf(platform::ChildProcess& server)
{
    // The number and its line end come in two writes; the server stops if
    // the second finds the pipe closed, so it stays open while it runs.
    std::string number;
    char c;
    while (::read(server.outputPipe().get(), &c, 1) == 1 && c != '\n')
        number += c;
    if (number.empty())
        throw std::runtime_error("Xvfb did not start (scripts/setup.sh installs it)");
    return ":" + number;
}

// Windows of the watched programs come and go between two requests; a
// request about one that is gone simply fails.
int ignoreError(Display*, XErrorEvent*) { return 0; }

std::uint64_t fnv1a(const std::uint32_t* pixels, std::size_t count, std::uint64_t hash)
{
    for (std::size_t i = 0; i < count; ++i) {
        hash ^= pixels[i] & 0xFFFFFFu;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

} // namespace

VirtualScreen::VirtualScreen(int width, int height, const std::string& logFile)
    : width_(width), height_(height), server_(serverSettings(width, height, logFile)), display_(displayOf(server_)),
      x_(std::make_unique<Connection>())
{
    XSetErrorHandler(ignoreError);
    x_->display = XOpenDisplay(display_.c_str());
    int event, error, major, minor;
    if (!x_->display || !XShmQueryExtension(x_->display) ||
        !XTestQueryExtension(x_->display, &event, &error, &major, &minor))
        throw std::runtime_error("the virtual screen lacks MIT-SHM or XTEST");
}

VirtualScreen::~VirtualScreen() = default;

std::optional<ScreenRect> VirtualScreen::findWindow(int width, int height) const
{
    Display* d = x_->display;
    Window root = DefaultRootWindow(d), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, root, &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<ScreenRect> found;
    for (unsigned i = count; i-- > 0 && !found;) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && a.width == width &&
            a.height == height)
            found = ScreenRect{a.x, a.y, a.width, a.height};
    }
    if (children)
        XFree(children);
    return found;
}

VirtualScreen::SharedImage& VirtualScreen::imageOfSize(int width, int height)
{
    auto& image = images_[{width, height}];
    if (!image)
        image = std::make_unique<SharedImage>(x_->display, width, height);
    return *image;
}

const std::uint32_t* VirtualScreen::grab(const ScreenRect& rect)
{
    SharedImage& shared = imageOfSize(rect.width, rect.height);
    if (!XShmGetImage(x_->display, DefaultRootWindow(x_->display), shared.image, rect.x, rect.y, AllPlanes))
        throw std::runtime_error("the screen could not be read");
    return reinterpret_cast<const std::uint32_t*>(shared.image->data);
}

std::uint64_t VirtualScreen::digest(const ScreenRect& rect)
{
    const std::uint32_t* pixels = grab(rect);
    const std::size_t stride = std::size_t(imageOfSize(rect.width, rect.height).image->bytes_per_line) / 4;
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (int y = 0; y < rect.height; ++y)
        hash = fnv1a(pixels + y * stride, std::size_t(rect.width), hash);
    return hash;
}

QImage VirtualScreen::picture(const ScreenRect& rect)
{
    const std::uint32_t* pixels = grab(rect);
    const int stride = imageOfSize(rect.width, rect.height).image->bytes_per_line;
    return QImage(reinterpret_cast<const uchar*>(pixels), rect.width, rect.height, stride, QImage::Format_RGB32)
        .copy();
}

bool VirtualScreen::screenshot(const std::string& file)
{
    return picture({0, 0, width_, height_}).save(QString::fromStdString(file), "PNG");
}

void VirtualScreen::movePointer(int x, int y) const
{
    XTestFakeMotionEvent(x_->display, DefaultScreen(x_->display), x, y, CurrentTime);
    XSync(x_->display, False);
}

void VirtualScreen::click(int x, int y) const
{
    movePointer(x, y);
    std::this_thread::sleep_for(300ms);
    clickAtOnce(x, y);
}

void VirtualScreen::clickAtOnce(int x, int y) const
{
    movePointer(x, y);
    XTestFakeButtonEvent(x_->display, 1, True, CurrentTime);
    XTestFakeButtonEvent(x_->display, 1, False, CurrentTime);
    XSync(x_->display, False);
}

void VirtualScreen::pressKeys(const std::vector<std::string>& keys) const
{
    std::vector<KeyCode> codes;
    for (const std::string& key : keys)
        codes.push_back(XKeysymToKeycode(x_->display, XStringToKeysym(key.c_str())));
    pressCodes(codes);
}

void VirtualScreen::type(const std::string& text) const
{
    for (const char c : text) {
        // The keysyms of ASCII characters are their codes.
        const KeySym symbol = static_cast<unsigned char>(c);
        const KeyCode code = XKeysymToKeycode(x_->display, symbol);
        if (XkbKeycodeToKeysym(x_->display, code, 0, 0) == symbol)
            pressCodes({code});
        else
            pressCodes({XKeysymToKeycode(x_->display, XK_Shift_L), code});
        std::this_thread::sleep_for(60ms);
    }
}

void VirtualScreen::pressCodes(const std::vector<unsigned char>& codes) const
{
    for (KeyCode code : codes)
        XTestFakeKeyEvent(x_->display, code, True, CurrentTime);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        XTestFakeKeyEvent(x_->display, *code, False, CurrentTime);
    XSync(x_->display, False);
}

} // namespace testsupport
