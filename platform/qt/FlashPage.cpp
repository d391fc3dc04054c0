#include "FlashPage.h"
#include "WebEngineSupport.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWebEngineSettings>

namespace platform::qt {
namespace {

const QString commandPrefix = QStringLiteral("flash-command:");

// The engine is told to report commands, play at once and show none of its
// own overlays (splash, play button, error screen, context menu when off).
// A movie stays invisible until the engine has read it, and is hidden again
// if the engine gives up on it, so a damaged file shows nothing.
const char hostPage[] = R"html(<!DOCTYPE html>
<html><head><meta charset="utf-8">
<style>
html, body { margin: 0; padding: 0; width: 100%; height: 100%; overflow: hidden; background: transparent; }
#stage, #stage > * { display: block; width: 100%; height: 100%; }
</style>
<script>window.RufflePlayer = { config: { polyfills: false } };</script>
<script src="ruffle.js"></script>
</head><body><div id="stage"></div>
<script>
"use strict";
const engineOverlays = "#panic, #message-overlay, #splash-screen, #play-button, #unmute-overlay," +
    " #context-menu-overlay { display: none !important; }";
let contextMenu = true;

window.addEventListener("contextmenu", (event) => {
    if (!contextMenu) { event.preventDefault(); event.stopPropagation(); }
}, true);

function stage() { return document.getElementById("stage"); }
function current() { return stage().firstElementChild; }

function showNothing() { stage().replaceChildren(); }

function bytesOf(base64) {
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
}

function hideOnFailure(player) {
    new MutationObserver(() => {
        if (player.shadowRoot.querySelector("#panic")) player.style.visibility = "hidden";
    }).observe(player.shadowRoot, { childList: true, subtree: true });
}

function playMovie(load, base64, withMenu) {
    showNothing();
    contextMenu = withMenu;
    if (!window.RufflePlayer.newest) return;
    const player = window.RufflePlayer.newest().createPlayer();
    player.style.visibility = "hidden";
    stage().appendChild(player);
    const overlays = document.createElement("style");
    overlays.textContent = engineOverlays;
    player.shadowRoot.appendChild(overlays);
    hideOnFailure(player);
    player.addEventListener("loadeddata", () => {
        if (!player.shadowRoot.querySelector("#panic")) player.style.visibility = "visible";
    });
    const api = player.ruffle();
    api.addFSCommandHandler((command, args) => {
        console.log("flash-command:" + JSON.stringify([load, String(command), String(args)]));
        return true;
    });
    api.load({
        data: bytesOf(base64),
        allowScriptAccess: true, allowNetworking: "all", openUrlMode: "deny",
        autoplay: "on", contextMenu: withMenu ? "on" : "off", splashScreen: false, preloader: false,
        unmuteOverlay: "hidden", letterbox: "off", warnOnUnsupportedContent: false, logLevel: "error",
    }).catch(() => { player.style.visibility = "hidden"; });
}

function pause() { const player = current(); if (player) player.ruffle().suspend(); }
function setContextMenu(enabled) { contextMenu = enabled; }
</script></body></html>
)html";

} // namespace

FlashPage::FlashPage(const QString& engineFolder, QObject* parent)
    : QWebEnginePage(localOnlyProfile(), parent)
{
    applyLocalPageSettings(*this);
    // A movie is a picture, not a page: nothing to scroll, no error page.
    settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    setBackgroundColor(Qt::transparent);
    QString base = engineFolder.endsWith('/') ? engineFolder : engineFolder + '/';
    setHtml(QString::fromUtf8(hostPage), QUrl::fromLocalFile(base));
    connect(this, &QWebEnginePage::loadFinished, this, [this] {
        ready_ = true;
        for (const QString& script : std::exchange(pending_, {}))
            runJavaScript(script);
    });
}

void FlashPage::run(const QString& script)
{
    if (ready_)
        runJavaScript(script);
    else
        pending_.append(script);
}

void FlashPage::playMovie(int load, const QByteArray& movie, bool contextMenu)
{
    run(QStringLiteral("playMovie(%1, \"%2\", %3);")
            .arg(load)
            .arg(QString::fromLatin1(movie.toBase64()), contextMenu ? "true" : "false"));
}

void FlashPage::showNothing() { run(QStringLiteral("showNothing();")); }

void FlashPage::pause() { run(QStringLiteral("pause();")); }

void FlashPage::setContextMenu(bool enabled)
{
    run(QStringLiteral("setContextMenu(%1);").arg(enabled ? "true" : "false"));
}

void FlashPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&)
{
    if (!message.startsWith(commandPrefix))
        return;
    QJsonArray fields = QJsonDocument::fromJson(message.mid(commandPrefix.size()).toUtf8()).array();
    if (fields.size() == 3)
        emit commandSent(fields[0].toInt(), fields[1].toString(), fields[2].toString());
}

} // namespace platform::qt
