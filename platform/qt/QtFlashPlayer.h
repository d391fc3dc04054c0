#pragma once
#include "QtControls.h"
#include "platform/FlashPlayer.h"

#include <QPointer>
#include <QWebEngineView>

namespace platform::qt {

class FlashPage;

// A Flash player: a web view whose page runs the player engine, a folder of
// script and WebAssembly files found beside the program or its folder (or where
// setEngineFolder points). Commands reach the handler from the event loop,
// never from inside the view's own callbacks, and only while the load that
// sent them is still the current one.
class QtFlashPlayer : public WidgetControl<FlashPlayer> {
public:
    explicit QtFlashPlayer(QWidget* parent);
    ~QtFlashPlayer() override;

    QWidget* widget() const override { return view_.data(); }
    void setMovie(const std::string& path) override;
    void disableContextMenu() override;
    void rewindAndPlay() override;
    void stop() override;
    void onCommand(FlashCommandHandler handler) override { handler_ = std::move(handler); }
    // False when the engine's folder lacks the engine's script.
    bool canPlay() const override;

    // The engine's folder; by default "ruffle" beside the running program,
    // else beside the folder that holds it.
    static void setEngineFolder(const QString& folder);
    static QString engineFolder();
    // Where the engine is found for a program in the given folder.
    static QString engineFolderFor(const QString& programFolder);

private:
    void play();
    void deliver(int load, const QString& command, const QString& args);

    QPointer<QWebEngineView> view_;
    FlashPage* page_ = nullptr;
    FlashCommandHandler handler_;
    QByteArray movie_;
    QString movieName_;
    bool contextMenu_ = true;
    bool startingFromFrameOne_ = false;
    int load_ = 0;
};

} // namespace platform::qt
