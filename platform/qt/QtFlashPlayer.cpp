#include "QtFlashPlayer.h"
#include "FlashPage.h"
#include "MovieFile.h"
#include "Trace.h"
#include "base/PathCase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTimer>

namespace platform::qt {
namespace {

QString& engineFolderSetting()
{
    static QString folder;
    return folder;
}

bool holdsEngine(const QString& folder)
{
    const std::string script = folder.toStdString() + "/ruffle.js";
    return QFileInfo(QString::fromStdString(base::ExistingPathIgnoringCase(script))).isFile();
}

// The web engine is never told that the pointer left a view: a movie would
// keep showing the button under the pointer's last place in its over look.
// When Qt reports the pointer gone from the view (moved off it, off the
// window, or covered by another control), the engine gets a pointer move to
// a place outside the page, and the page sends its own leave events from
// there.
class PointerDeparture : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Leave)
            moveOutside(static_cast<QWidget*>(watched)->focusProxy());
        return false;
    }

private:
    static void moveOutside(QWidget* renderer)
    {
        if (!renderer)
            return;
        const QPointF outside(-1, -1);
        QMouseEvent move(QEvent::MouseMove, outside, renderer->mapToGlobal(outside), Qt::NoButton, Qt::NoButton,
            Qt::NoModifier);
        QCoreApplication::sendEvent(renderer, &move);
    }
};

} // namespace

QtFlashPlayer::QtFlashPlayer(QWidget* parent)
    : view_(new QWebEngineView(parent))
{
    page_ = new FlashPage(engineFolder(), view_);
    view_->setPage(page_);
    // The view's own browser menu (back, reload, inspect) has no place over a movie.
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    QObject::connect(page_, &FlashPage::commandSent, view_, [this](int load, const QString& command, const QString& args) {
        // Queued, so that a handler may reload or delete this player safely.
        QMetaObject::invokeMethod(view_, [this, load, command, args] { deliver(load, command, args); },
            Qt::QueuedConnection);
    });
    view_->installEventFilter(new PointerDeparture(view_));
    view_->show();
}

QtFlashPlayer::~QtFlashPlayer() { delete view_.data(); }

void QtFlashPlayer::setEngineFolder(const QString& folder) { engineFolderSetting() = folder; }

QString QtFlashPlayer::engineFolder()
{
    if (!engineFolderSetting().isEmpty())
        return engineFolderSetting();
    return engineFolderFor(QCoreApplication::applicationDirPath());
}

QString QtFlashPlayer::engineFolderFor(const QString& programFolder)
{
    // One engine serves the disc: the catalog, a folder down from the start
    // program, finds it in the folder above its own.
    const QString beside = programFolder + QStringLiteral("/ruffle");
    const QString above = QDir::cleanPath(programFolder + QStringLiteral("/../ruffle"));
    return !holdsEngine(beside) && holdsEngine(above) ? above : beside;
}

bool QtFlashPlayer::canPlay() const
{
    return holdsEngine(engineFolder());
}

void QtFlashPlayer::setMovie(const std::string& path)
{
    QFile file(QString::fromStdString(base::ExistingPathIgnoringCase(path)));
    movieName_ = QFileInfo(file).fileName();
    movie_ = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!looksLikeMovie(movie_))
        movie_.clear();
    play();
}

void QtFlashPlayer::disableContextMenu()
{
    contextMenu_ = false;
    page_->setContextMenu(false);
}

// The engine cannot go to a frame; loading the movie again starts it from
// frame 1. A movie set in this same turn of the event loop is starting from
// frame 1 already (the catalog sets its overlay and rewinds it at once).
void QtFlashPlayer::rewindAndPlay()
{
    if (!startingFromFrameOne_)
        play();
}

void QtFlashPlayer::stop()
{
    startingFromFrameOne_ = false;
    page_->pause();
}

void QtFlashPlayer::play()
{
    ++load_;
    startingFromFrameOne_ = true;
    QTimer::singleShot(0, view_, [this] { startingFromFrameOne_ = false; });
    if (movie_.isEmpty())
        page_->showNothing();
    else
        page_->playMovie(load_, movie_, contextMenu_);
}

void QtFlashPlayer::deliver(int load, const QString& command, const QString& args)
{
    if (load != load_ || !handler_)
        return;
    qCInfo(traceLog).noquote() << "flash" << movieName_ << "command" << command << args;
    handler_(command.toStdString(), args.toStdString());
}

} // namespace platform::qt
