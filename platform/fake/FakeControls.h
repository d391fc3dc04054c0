#pragma once
#include "FakeSurface.h"
#include "platform/Browser.h"
#include "platform/Controls.h"
#include "platform/FlashPlayer.h"

#include <string>
#include <vector>

namespace platform::fake {

// Geometry, visibility and enabling as plain fields, for any fake control.
template <class Base>
class FakeControlOf : public Base {
public:
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int frontCount = 0;

    void setGeometry(int l, int t, int w, int h) override { left_ = l, top_ = t, width_ = w, height_ = h; }
    int left() const override { return left_; }
    int top() const override { return top_; }
    int width() const override { return width_; }
    int height() const override { return height_; }
    void setVisible(bool v) override { visible_ = v; }
    bool visible() const override { return visible_; }
    void setEnabled(bool e) override { enabled_ = e; }
    bool isEnabled() const override { return enabled_; }
    void bringToFront() override { ++frontCount; }
};

template <class Base>
class FakeContainerOf : public FakeControlOf<Base>, public FakeSurface {
public:
    PicturePtr picture_;
    MouseHandler mouseDown, mouseMove, mouseUp;
    std::function<void()> click;
    Cursor cursor = Cursor::Default;

    void setPicture(PicturePtr p) override { picture_ = std::move(p); }
    PicturePtr picture() const override { return picture_; }
    void onMouseDown(MouseHandler h) override { mouseDown = std::move(h); }
    void onMouseMove(MouseHandler h) override { mouseMove = std::move(h); }
    void onMouseUp(MouseHandler h) override { mouseUp = std::move(h); }
    void onClick(std::function<void()> h) override { click = std::move(h); }
    void setCursor(Cursor c) override { cursor = c; }

    // Like the window system, a disabled control reports no mouse input.
    void fireMouseDown(double x, double y, int button = 1) { deliver(mouseDown, {button, 0, x, y}); }
    void fireMouseMove(double x, double y, int button = 0) { deliver(mouseMove, {button, 0, x, y}); }
    void fireMouseUp(double x, double y, int button = 1) { deliver(mouseUp, {button, 0, x, y}); }
    void fireClick() { if (click && this->enabled_) click(); }

private:
    void deliver(const MouseHandler& handler, const MouseEvent& event)
    {
        if (handler && this->enabled_)
            handler(event);
    }
};

class FakeForm : public FakeContainerOf<Form> {
public:
    std::string caption_;
    bool shown = false;
    bool closed = false;
    std::function<void()> closedHandler;

    void setCaption(const std::string& c) override { caption_ = c; }
    void show() override { shown = true; this->visible_ = true; }
    void close() override { closed = true; this->visible_ = false; if (closedHandler) closedHandler(); }
    void onClosed(std::function<void()> h) override { closedHandler = std::move(h); }
    void onEscape(std::function<void()> h) override { escapeHandler_ = std::move(h); }
    void pressEscape() { if (escapeHandler_) escapeHandler_(); }

private:
    std::function<void()> escapeHandler_;
};

class FakePictureBox : public FakeContainerOf<PictureBox> {};

class FakeLabel : public FakeControlOf<Label> {
public:
    std::string caption_;
    std::string fontName;
    double fontSize = 9;
    // The label's width for a caption: narrow characters charWidth wide,
    // wide ones twice that.
    double charWidth = 6;

    void setCaption(const std::string& text) override;
    std::string caption() const override { return caption_; }
    void setFontName(const std::string& name) override { fontName = name; }
    void setFontSize(double points) override { fontSize = points; }
};

class FakeEditBox : public FakeControlOf<EditBox> {
public:
    static constexpr int kTabKey = 9;
    std::string text_;
    bool focused = false;
    std::function<void(int)> keyDown;
    std::function<void()> change;
    std::function<void()> tab;

    void setText(const std::string& t) override { text_ = t; if (change) change(); }
    std::string text() const override { return text_; }
    void onKeyDown(std::function<void(int)> h) override { keyDown = std::move(h); }
    void onChange(std::function<void()> h) override { change = std::move(h); }
    // Focus is not tracked across boxes: a test looks at the box it moved to.
    void setFocus() override { focused = visible_ && enabled_; }
    bool hasFocus() const override { return focused; }
    void onTab(std::function<void()> h) override { tab = std::move(h); }
    void pressKey(int code)
    {
        if (!enabled_)
            return;
        if (keyDown)
            keyDown(code);
        if (code == kTabKey && tab)
            tab();
    }
};

template <class Base>
class FakeTextControlOf : public FakeControlOf<Base> {
public:
    std::string fontName;
    double fontSize = 9;
    Color fore = 0, back = 0;

    void setFontName(const std::string& name) override { fontName = name; }
    void setFontSize(double points) override { fontSize = points; }
    void setColors(Color f, Color b) override { fore = f, back = b; }
};

class FakeButton : public FakeTextControlOf<Button> {
public:
    std::string caption_;
    std::function<void()> click;

    void setCaption(const std::string& text) override { caption_ = text; }
    std::string caption() const override { return caption_; }
    void onClick(std::function<void()> h) override { click = std::move(h); }
    // Like the window system, a hidden or disabled button takes no click.
    void press() { if (click && this->enabled_ && this->visible_) click(); }
};

class FakeListBox : public FakeTextControlOf<ListBox> {
public:
    std::vector<std::string> items;
    int current = -1;
    std::function<void(int)> choose;

    void clear() override { items.clear(); current = -1; }
    void addItem(const std::string& text) override { items.push_back(text); }
    int count() const override { return int(items.size()); }
    std::string item(int index) const override { return items.at(std::size_t(index)); }
    int currentIndex() const override { return current; }
    void setCurrentIndex(int index) override { current = index >= 0 && index < count() ? index : -1; }
    void onChoose(std::function<void(int)> h) override { choose = std::move(h); }
    // The user chooses a line, as a click on it would.
    void userChooses(int index)
    {
        if (!this->enabled_ || index < 0 || index >= count())
            return;
        current = index;
        if (choose)
            choose(index);
    }
};

// Cells come back as fake pictures named "<source name>#<k>".
class FakePictureClip : public PictureClip {
public:
    PicturePtr picture_;
    int rows_ = 1, cols_ = 1;

    void setPicture(PicturePtr p) override { picture_ = std::move(p); }
    void setRows(int r) override { rows_ = r; }
    void setCols(int c) override { cols_ = c; }
    int rows() const override { return rows_; }
    int cols() const override { return cols_; }
    PicturePtr GraphicCell(int k) const override;
};

class FakeBrowser : public FakeControlOf<Browser> {
public:
    std::vector<std::string> lines; // lines of the open document
    std::string bodyHtml;
    int navigations = 0;
    int opens = 0;
    std::function<void(const std::string&)> titleChanged;

    void navigateBlank() override;
    void openDocument() override { ++opens; lines.clear(); }
    void writeln(const std::string& line) override { lines.push_back(line); }
    void setBodyInnerHtml(const std::string& html) override { bodyHtml = html; }
    void onTitleChanged(std::function<void(const std::string&)> h) override { titleChanged = std::move(h); }
    void raiseTitleChange(const std::string& title) { if (titleChanged) titleChanged(title); }
};

class FakeFlashPlayer : public FakeControlOf<FlashPlayer> {
public:
    std::string movie;
    int loads = 0;
    bool contextMenuOff = false;
    int rewinds = 0;
    int stops = 0;
    bool playing = false;
    bool engineMissing = false;
    FlashCommandHandler commandHandler;

    void setMovie(const std::string& path) override { movie = path; ++loads; playing = true; }
    void disableContextMenu() override { contextMenuOff = true; }
    void rewindAndPlay() override { ++rewinds; playing = true; }
    void stop() override { ++stops; playing = false; }
    void onCommand(FlashCommandHandler h) override { commandHandler = std::move(h); }
    bool canPlay() const override { return !engineMissing; }
    void sendCommand(const std::string& command, const std::string& args = {})
    {
        if (commandHandler)
            commandHandler(command, args);
    }
};

} // namespace platform::fake
