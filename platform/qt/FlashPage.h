#pragma once
#include <QUrl>
#include <QWebEnginePage>

namespace platform::qt {

// The page that hosts the player engine for one Flash player. It loads the
// engine from a folder of local files when it is first given a movie (a
// player hidden until needed costs nothing before); calls made before the
// engine has loaded wait. It reports each command a movie sends as
// commandSent, tagged with the number of the load that sent it. The engine's
// own log lines and errors are swallowed: a broken movie is quiet.
class FlashPage : public QWebEnginePage {
    Q_OBJECT
public:
    FlashPage(const QString& engineFolder, QObject* parent);

    // Plays a movie from its bytes; `load` numbers this load.
    void playMovie(int load, const QByteArray& movie, bool contextMenu);
    // Removes whatever movie is shown.
    void showNothing();
    void pause();
    void setContextMenu(bool enabled);

signals:
    void commandSent(int load, const QString& command, const QString& args);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int lineNumber,
        const QString& sourceId) override;

private:
    // Runs a script now, or once the host page has loaded.
    void run(const QString& script);
    void start();

    QUrl engineBase_;
    bool started_ = false;
    bool ready_ = false;
    QStringList pending_;
};

} // namespace platform::qt
