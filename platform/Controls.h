#pragma once
#include "Color.h"
#include "Picture.h"
#include "Surface.h"
#include <functional>
#include <string>

namespace platform {

struct MouseEvent {
    int button = 0; // 1 left, 2 right, 4 middle
    int shift = 0;  // 1 shift, 2 ctrl, 4 alt
    double x = 0;
    double y = 0;
};
using MouseHandler = std::function<void(const MouseEvent&)>;

enum class Cursor { Default = 0, Hourglass = 11 };

// Geometry, visibility and enabling shared by every control, in the parent's
// pixels. A disabled control takes no mouse or key input.
class Control {
public:
    virtual ~Control() = default;
    virtual void setGeometry(int left, int top, int width, int height) = 0;
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void bringToFront() {}

    void move(int newLeft, int newTop) { setGeometry(newLeft, newTop, width(), height()); }
    void resize(int newWidth, int newHeight) { setGeometry(left(), top(), newWidth, newHeight); }
};

// Something that other controls can be placed on: a form or a picture box.
class Container : public Control, public virtual Surface {
public:
    // The background picture, drawn at its own size from the top-left corner.
    virtual void setPicture(PicturePtr picture) = 0;
    virtual PicturePtr picture() const = 0;
    virtual void onMouseDown(MouseHandler h) = 0;
    virtual void onMouseMove(MouseHandler h) = 0;
    virtual void onMouseUp(MouseHandler h) = 0;
    virtual void onClick(std::function<void()> h) = 0;
    virtual void setCursor(Cursor) {}
};

// A top-level window. Geometry is in screen pixels.
class Form : public Container {
public:
    virtual void setCaption(const std::string& caption) = 0;
    virtual void show() = 0;
    // Unloads the window: hides it and releases what it shows.
    virtual void close() = 0;
    virtual void onClosed(std::function<void()>) {}
    // A window without a frame: its outer size is exactly its geometry.
    virtual void setFrameless(bool) {}
    // Escape pressed while the window is active, wherever its input focus
    // is (inside a Flash player too).
    virtual void onEscape(std::function<void()>) {}
};

class PictureBox : public Container {};

class Label : public Control {
public:
    virtual void setCaption(const std::string& text) = 0;
    virtual std::string caption() const = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setForeColor(Color) {}
    virtual void setBackColor(Color) {}
    virtual void setBorder(bool) {}
    // The label sizes itself to its caption; width() follows.
};

class EditBox : public Control {
public:
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
    // Key code as in the host's key-down event (13 for Enter).
    virtual void onKeyDown(std::function<void(int keyCode)> h) = 0;
    virtual void onChange(std::function<void()>) {}
    virtual void setFocus() = 0;
    virtual bool hasFocus() const = 0;
    // With a handler, Tab no longer moves the input focus by itself: the
    // handler decides where it goes.
    virtual void onTab(std::function<void()> h) = 0;
};

// A control that shows text in a face, a size and two colours.
class TextControl : public Control {
public:
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    // The text's colour and the background's.
    virtual void setColors(Color fore, Color back) = 0;
};

// A push button with a caption. A disabled button takes no clicks.
class Button : public TextControl {
public:
    virtual void setCaption(const std::string& text) = 0;
    virtual std::string caption() const = 0;
    virtual void onClick(std::function<void()> h) = 0;
};

// Lines of text, one of which the user may choose; a chosen line shows the
// two colours swapped.
class ListBox : public TextControl {
public:
    virtual void clear() = 0;
    virtual void addItem(const std::string& text) = 0;
    virtual int count() const = 0;
    virtual std::string item(int index) const = 0;
    // The chosen line; -1 when none is.
    virtual int currentIndex() const = 0;
    // Chooses a line without reporting it to the choose handler.
    virtual void setCurrentIndex(int index) = 0;
    // The user chose line `index`, with the mouse or the keys.
    virtual void onChoose(std::function<void(int index)> h) = 0;
};

// A picture cut into a grid of equal cells, numbered from 0 in reading order.
class PictureClip {
public:
    virtual ~PictureClip() = default;
    virtual void setPicture(PicturePtr picture) = 0;
    virtual void setRows(int rows) = 0;
    virtual void setCols(int cols) = 0;
    virtual int rows() const = 0;
    virtual int cols() const = 0;
    // The picture of cell k; null when there is no picture or k is outside the grid.
    virtual PicturePtr GraphicCell(int k) const = 0;
};

} // namespace platform
