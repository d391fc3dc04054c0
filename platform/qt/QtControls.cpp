#include "QtControls.h"
#include "QtPicture.h"
#include "Trace.h"

#include <QEvent>
#include <QKeyEvent>

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
    surfaceWidget()->close();
}

void QtForm::setFrameless(bool frameless)
{
    surfaceWidget()->setWindowFlag(Qt::FramelessWindowHint, frameless);
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

// Reports key presses of an edit box to its key-down handler.
class KeyForwarder : public QObject {
public:
    KeyForwarder(QObject* parent, std::function<void(int)>& handler) : QObject(parent), handler_(handler) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && handler_)
            handler_(hostKeyCode(static_cast<QKeyEvent*>(e)->key()));
        return false;
    }

private:
    std::function<void(int)>& handler_;
};

} // namespace

QtEditBox::QtEditBox(QWidget* parent) : edit_(new QLineEdit(parent))
{
    edit_->installEventFilter(new KeyForwarder(edit_, keyDown_));
    QObject::connect(edit_, &QLineEdit::textChanged, [this] { if (change_) change_(); });
    edit_->show();
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
