#include "QtFlashPlayer.h"
#include "FlashPage.h"
#include "MovieFile.h"
#include "QtToolkit.h"
#include "Trace.h"
#include "platform/PathCase.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace platform::qt {
namespace {

QString& engineFolderSetting()
{
    static QString folder;
    return folder;
}

} // namespace

std::unique_ptr<FlashPlayer> QtToolkit::createFlashPlayer(Container& parent)
{
    return std::make_unique<QtFlashPlayer>(widgetOf(parent));
}

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
    view_->show();
}

QtFlashPlayer::~QtFlashPlayer() { delete view_.data(); }

void QtFlashPlayer::setEngineFolder(const QString& folder) { engineFolderSetting() = folder; }

QString QtFlashPlayer::engineFolder()
{
    if (!engineFolderSetting().isEmpty())
        return engineFolderSetting();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ruffle");
}

void QtFlashPlayer::setMovie(const std::string& path)
{
    QFile file(QString::fromStdString(ExistingPathIgnoringCase(path)));
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
