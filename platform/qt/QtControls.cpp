#include "QtControls.h"
#include "QtPicture.h"
#include "Trace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QSignalBlocker>

namespace platform::qt {

template <class Base>
void QtContainer<Base>::setPicture(PicturePtr p)
{
    picture_ = std::move(p);
    setBackgroundImage(picture_ ? imageOf(*picture_) : QImage());
}

template class QtContainer<Form>;
template class QtContainer<PictureBox>;

QtForm::QtForm() : QtContainer<Form>(nullptr)
{
    surfaceWidget()->setAttribute(Qt::WA_DeleteOnClose, false);
}

QtForm::~QtForm() { setCursor(Cursor::Default); }

void QtForm::setCaption(const std::string& caption)
{
    surfaceWidget()->setWindowTitle(QString::fromStdString(caption));
}

void QtForm::show()
{
    surfaceWidget()->show();
    surfaceWidget()->raise();
    surfaceWidget()->activateWindow();
    qCInfo(traceLog).noquote() << "window shown" << traceGeometry(*surfaceWidget());
}

void QtForm::close()
{
    setCursor(Cursor::Default);
    surfaceWidget()->close();
}

// The application's pointer: a control's own pointer shows over it
// otherwise, and a web view sets its page's pointer on every move. The
// programs show one window at a time, so it is this window's.
void QtForm::setCursor(Cursor c)
{
    const bool busy = c == Cursor::Hourglass;
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void QtForm::setFrameless(bool frameless)
{
    surfaceWidget()->setWindowFlag(Qt::FramelessWindowHint, frameless);
}

void QtForm::onEscape(std::function<void()> h)
{
    escape_ = std::move(h);
    if (escapeShortcut_)
        return;
    // A shortcut of the window rather than a key handler: keys go to what
    // holds the focus, and a web view hands them to its page.
    escapeShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), surfaceWidget());
    QObject::connect(escapeShortcut_, &QShortcut::activated, escapeShortcut_, [this] {
        if (escape_)
            escape_();
    });
}

QtLabel::QtLabel(QWidget* parent) : label_(new QLabel(parent))
{
    label_->setAutoFillBackground(true);
    restyle();
    label_->show();
}

void QtLabel::restyle()
{
    auto css = [](Color c) { return QString("rgb(%1,%2,%3)").arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c)); };
    label_->setStyleSheet(QString("QLabel { color: %1; background: %2; border: %3; padding: 1px 3px; }")
                              .arg(css(fore_), css(back_), border_ ? "1px solid " + css(fore_) : QString("none")));
    label_->adjustSize();
}

void QtLabel::setForeColor(Color c)
{
    fore_ = c;
    restyle();
}

void QtLabel::setBackColor(Color c)
{
    back_ = c;
    restyle();
}

void QtLabel::setBorder(bool on)
{
    border_ = on;
    restyle();
}

void QtLabel::setCaption(const std::string& text)
{
    label_->setText(QString::fromStdString(text));
    label_->adjustSize();
}

void QtLabel::setFontName(const std::string& name)
{
    QFont f = label_->font();
    f.setFamily(QString::fromStdString(name));
    label_->setFont(f);
    label_->adjustSize();
}

void QtLabel::setFontSize(double points)
{
    QFont f = label_->font();
    f.setPointSizeF(points);
    label_->setFont(f);
    label_->adjustSize();
}

namespace {

// Reports key presses of an edit box to its key-down handler, and Tab to its
// Tab handler, which then takes the key from the focus chain.
class KeyForwarder : public QObject {
public:
    KeyForwarder(QObject* parent, std::function<void(int)>& handler, std::function<void()>& tab)
        : QObject(parent), handler_(handler), tab_(tab)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (handler_)
            handler_(hostKeyCode(key->key()));
        const bool plainTab = key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier);
        if (plainTab && tab_) {
            tab_();
            return true;
        }
        return false;
    }

private:
    std::function<void(int)>& handler_;
    std::function<void()>& tab_;
};

QString cssColor(Color c) { return QString("rgb(%1,%2,%3)").arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c)); }

} // namespace

void setWidgetFont(QWidget* widget, const std::string& face, double points)
{
    QFont f = widget->font();
    if (!face.empty())
        f.setFamily(QString::fromStdString(face));
    if (points > 0)
        f.setPointSizeF(points);
    widget->setFont(f);
}

void setWidgetColors(QWidget* widget, const char* styleSheet, Color fore, Color back)
{
    widget->setStyleSheet(QString(styleSheet).arg(cssColor(fore), cssColor(back)));
}

QtEditBox::QtEditBox(QWidget* parent) : edit_(new QLineEdit(parent))
{
    edit_->installEventFilter(new KeyForwarder(edit_, keyDown_, tab_));
    QObject::connect(edit_, &QLineEdit::textChanged, [this] { if (change_) change_(); });
    edit_->show();
}

QtButton::QtButton(QWidget* parent) : button_(new QPushButton(parent))
{
    button_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button_, &QPushButton::clicked, [this] { if (click_) click_(); });
    button_->show();
}

const char* QtButton::styleSheet() const
{
    return "QPushButton { color: %1; background: %2; border: 1px solid %1; border-radius: 3px; }"
           "QPushButton:pressed { color: %2; background: %1; }"
           "QPushButton:disabled { color: gray; }";
}

QtListBox::QtListBox(QWidget* parent) : list_(new QListWidget(parent))
{
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setWordWrap(true);
    QObject::connect(list_, &QListWidget::currentRowChanged, [this](int row) {
        if (row >= 0 && choose_)
            choose_(row);
    });
    list_->show();
}

void QtListBox::clear()
{
    const QSignalBlocker quiet(list_);
    list_->clear();
}

void QtListBox::addItem(const std::string& text)
{
    const QSignalBlocker quiet(list_);
    list_->addItem(QString::fromStdString(text));
}

std::string QtListBox::item(int index) const
{
    const QListWidgetItem* line = list_->item(index);
    return line ? line->text().toStdString() : std::string();
}

void QtListBox::setCurrentIndex(int index)
{
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(index);
}

const char* QtListBox::styleSheet() const
{
    return "QListWidget { color: %1; background: %2; border: none; }"
           "QListWidget::item { padding: 3px 2px; }"
           "QListWidget::item:selected { color: %2; background: %1; }";
}

QWidget* widgetOf(Container& container)
{
    if (auto w = dynamic_cast<WidgetControl<Form>*>(&container))
        return w->widget();
    if (auto w = dynamic_cast<WidgetControl<PictureBox>*>(&container))
        return w->widget();
    return nullptr;
}

int hostKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;
    return qtKey & 0xFFFF;
}

} // namespace platform::qt
