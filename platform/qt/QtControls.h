#pragma once
#include "SurfacePainter.h"
#include "SurfaceWidget.h"
#include "platform/Controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QPointer>
#include <memory>

namespace platform::qt {

// The widget's font with the face and the size given; an empty face or a
// size of 0 keeps the widget's own.
void setWidgetFont(QWidget* widget, const std::string& face, double points);
void setWidgetColors(QWidget* widget, const char* styleSheet, Color fore, Color back);

// Control geometry, visibility and enabling over any QWidget.
template <class Base>
class WidgetControl : public Base {
public:
    void setGeometry(int l, int t, int w, int h) override { widget()->setGeometry(l, t, w, h); }
    int left() const override { return widget()->x(); }
    int top() const override { return widget()->y(); }
    int width() const override { return widget()->width(); }
    int height() const override { return widget()->height(); }
    void setVisible(bool v) override { widget()->setVisible(v); }
    bool visible() const override { return !widget()->isHidden(); }
    void setEnabled(bool e) override { widget()->setEnabled(e); }
    bool isEnabled() const override { return widget()->isEnabled(); }
    void bringToFront() override { widget()->raise(); }

    virtual QWidget* widget() const = 0;
};

// A form or picture box: a surface shown by a SurfaceWidget.
template <class Base>
class QtContainer : public WidgetControl<Base>, public SurfacePainter {
public:
    explicit QtContainer(QWidget* parent)
        : SurfacePainter([this] { if (widget_) widget_->update(); })
        , widget_(new SurfaceWidget(*this, parent))
    {
    }
    ~QtContainer() override { delete widget_.data(); }

    QWidget* widget() const override { return widget_.data(); }
    SurfaceWidget* surfaceWidget() const { return widget_.data(); }
    // The backing image follows the geometry at once, shown or not.
    void setGeometry(int l, int t, int w, int h) override
    {
        widget_->setGeometry(l, t, w, h);
        resizeBacking(w, h);
    }

    void setPicture(PicturePtr p) override;
    PicturePtr picture() const override { return picture_; }
    void onMouseDown(MouseHandler h) override { widget_->mouseDown = std::move(h); }
    void onMouseMove(MouseHandler h) override { widget_->mouseMove = std::move(h); }
    void onMouseUp(MouseHandler h) override { widget_->mouseUp = std::move(h); }
    void onClick(std::function<void()> h) override { widget_->click = std::move(h); }
    void setCursor(Cursor c) override { widget_->setCursor(c == Cursor::Hourglass ? Qt::WaitCursor : Qt::ArrowCursor); }

private:
    QPointer<SurfaceWidget> widget_;
    PicturePtr picture_;
};

class QtForm : public QtContainer<Form> {
public:
    QtForm();
    ~QtForm() override;
    void setCaption(const std::string& caption) override;
    void show() override;
    void close() override;
    void onClosed(std::function<void()> h) override { surfaceWidget()->closed = std::move(h); }
    void setFrameless(bool frameless) override;
    void onEscape(std::function<void()> h) override;
    // The busy pointer shows over the whole window, its web views included,
    // which otherwise show their pages' own pointers.
    void setCursor(Cursor c) override;

private:
    bool busy_ = false;
    std::function<void()> escape_;
    QPointer<QShortcut> escapeShortcut_;
};

class QtPictureBox : public QtContainer<PictureBox> {
public:
    explicit QtPictureBox(QWidget* parent) : QtContainer<PictureBox>(parent) { surfaceWidget()->show(); }
};

class QtLabel : public WidgetControl<Label> {
public:
    explicit QtLabel(QWidget* parent);
    ~QtLabel() override { delete label_.data(); }
    QWidget* widget() const override { return label_.data(); }
    void setCaption(const std::string& text) override;
    std::string caption() const override { return label_->text().toStdString(); }
    void setFontName(const std::string& name) override;
    void setFontSize(double points) override;
    void setForeColor(Color c) override;
    void setBackColor(Color c) override;
    void setBorder(bool on) override;

private:
    void restyle();
    QPointer<QLabel> label_;
    Color fore_ = 0;
    Color back_ = rgb(255, 255, 225);
    bool border_ = true;
};

class QtEditBox : public WidgetControl<EditBox> {
public:
    explicit QtEditBox(QWidget* parent);
    ~QtEditBox() override { delete edit_.data(); }
    QWidget* widget() const override { return edit_.data(); }
    void setText(const std::string& text) override { edit_->setText(QString::fromStdString(text)); }
    std::string text() const override { return edit_->text().toStdString(); }
    void onKeyDown(std::function<void(int)> h) override { keyDown_ = std::move(h); }
    void onChange(std::function<void()> h) override { change_ = std::move(h); }
    void setFocus() override { edit_->setFocus(Qt::TabFocusReason); }
    bool hasFocus() const override { return edit_->hasFocus(); }
    void onTab(std::function<void()> h) override { tab_ = std::move(h); }
    QLineEdit* lineEdit() const { return edit_.data(); }

private:
    QPointer<QLineEdit> edit_;
    std::function<void(int)> keyDown_;
    std::function<void()> change_;
    std::function<void()> tab_;
};

// Face, size and colours of a text control, through its widget's font and
// style sheet.
template <class Base>
class StyledWidgetControl : public WidgetControl<Base> {
public:
    void setFontName(const std::string& name) override { setWidgetFont(this->widget(), name, 0); }
    void setFontSize(double points) override { setWidgetFont(this->widget(), {}, points); }
    void setColors(Color fore, Color back) override { setWidgetColors(this->widget(), styleSheet(), fore, back); }

protected:
    // The widget's style sheet, %1 standing for the text colour, %2 for the background.
    virtual const char* styleSheet() const = 0;
};

class QtButton : public StyledWidgetControl<Button> {
public:
    explicit QtButton(QWidget* parent);
    ~QtButton() override { delete button_.data(); }
    QWidget* widget() const override { return button_.data(); }
    void setCaption(const std::string& text) override { button_->setText(QString::fromStdString(text)); }
    std::string caption() const override { return button_->text().toStdString(); }
    void onClick(std::function<void()> h) override { click_ = std::move(h); }
    QPushButton* pushButton() const { return button_.data(); }

protected:
    const char* styleSheet() const override;

private:
    QPointer<QPushButton> button_;
    std::function<void()> click_;
};

class QtListBox : public StyledWidgetControl<ListBox> {
public:
    explicit QtListBox(QWidget* parent);
    ~QtListBox() override { delete list_.data(); }
    QWidget* widget() const override { return list_.data(); }
    void clear() override;
    void addItem(const std::string& text) override;
    int count() const override { return list_->count(); }
    std::string item(int index) const override;
    int currentIndex() const override { return list_->currentRow(); }
    void setCurrentIndex(int index) override;
    void onChoose(std::function<void(int)> h) override { choose_ = std::move(h); }
    QListWidget* listWidget() const { return list_.data(); }

protected:
    const char* styleSheet() const override;

private:
    QPointer<QListWidget> list_;
    std::function<void(int)> choose_;
};

// The QWidget that children of a container are placed on.
QWidget* widgetOf(Container& container);
// The host key code of a Qt key: 13 for Enter, ASCII capitals for letters.
int hostKeyCode(int qtKey);

} // namespace platform::qt
