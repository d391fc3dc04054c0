#include "FlashPage.h"
#include "MovieTraits.h"
#include "WebEngineSupport.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWebEngineSettings>

namespace platform::qt {
namespace {

const QString commandPrefix = QStringLiteral("flash-command:");
// Played time beyond the frames themselves before a still movie is left
// alone: the engine may start its first frame a little after reporting the
// movie loaded.
constexpr int settleMarginMs = 500;

// The engine is told to report commands, play at once and show none of its
// own overlays (splash, play button, error screen, context menu when off).
// A movie stays invisible until the engine has read it, and is hidden again
// if the engine gives up on it, so a damaged file shows nothing.
//
// Pacing: the engine asks for a callback before every paint of the page,
// sixty times a second, and draws the movie whenever a frame is due. A still
// movie that has played its frames changes only when the pointer or the host
// acts on it, so its callbacks are then held until a pointer event, a key or
// a new movie, and an idle player costs nothing. Time counts towards the
// frames played only as the engine sees it: a tick late by more than a few
// frames may have dropped some.
//
// A movie that cannot sound gets no audio context: an idle one still keeps
// the web engine's audio service working. Movies answer the pointer and the
// keys only: once a page has asked for game controllers, the web engine
// looks for them sixty times a second for as long as the page lives.
const char hostPage[] = R"html(<!DOCTYPE html>
<html><head><meta charset="utf-8">
<style>
html, body { margin: 0; padding: 0; width: 100%; height: 100%; overflow: hidden; background: transparent; }
#stage, #stage > * { display: block; width: 100%; height: 100%; }
</style>
<script>
"use strict";
const pacing = {
    request: window.requestAnimationFrame.bind(window),
    cancel: window.cancelAnimationFrame.bind(window),
    held: new Map(),
    passed: new Map(),
    nextId: -1,
    stillAfterMs: null,
    frameMs: 1000 / 12,
    playedMs: 0,
    lastTick: null,
    counting: false,
    paused: false,
    inputUntil: 0,
};
const answerTimeMs = 500;

function holding() {
    const still = pacing.paused || (pacing.stillAfterMs !== null && pacing.playedMs >= pacing.stillAfterMs);
    return still && performance.now() >= pacing.inputUntil;
}

function countTick(time) {
    if (pacing.counting && pacing.lastTick !== null)
        pacing.playedMs += Math.min(time - pacing.lastTick, 4 * pacing.frameMs);
    pacing.lastTick = time;
}

function pass(id, callback) {
    pacing.passed.set(id, pacing.request((time) => {
        pacing.passed.delete(id);
        countTick(time);
        callback(time);
    }));
}

window.requestAnimationFrame = (callback) => {
    const id = pacing.nextId--;
    if (holding()) {
        pacing.lastTick = null;
        pacing.held.set(id, callback);
    } else {
        pass(id, callback);
    }
    return id;
};

window.cancelAnimationFrame = (id) => {
    if (pacing.passed.has(id)) pacing.cancel(pacing.passed.get(id));
    pacing.passed.delete(id);
    pacing.held.delete(id);
};

function keepPace(forMs) {
    pacing.inputUntil = Math.max(pacing.inputUntil, performance.now() + forMs);
    for (const [id, callback] of pacing.held) pass(id, callback);
    pacing.held.clear();
}

function paceMovie(stillAfterMs, frameRate) {
    pacing.stillAfterMs = stillAfterMs;
    pacing.frameMs = 1000 / frameRate;
    pacing.playedMs = 0;
    pacing.counting = false;
    pacing.paused = false;
    keepPace(0);
}

for (const type of ["pointerover", "pointermove", "pointerdown", "pointerup", "pointerout", "wheel", "keydown", "keyup"])
    window.addEventListener(type, () => keepPace(answerTimeMs), true);

let movieMaySound = true;
const EngineAudioContext = window.AudioContext;
window.AudioContext = function AudioContext(options) {
    if (!movieMaySound) throw new DOMException("the movie has no sound", "NotSupportedError");
    return new EngineAudioContext(options);
};

navigator.getGamepads = () => [];

// The engine fills a shape with a bitmap drawn once, not repeated, through a
// pattern that does not repeat. The web engine's processor drawing fills
// such a pattern several times slower than it draws the same bitmap clipped
// to the shape, which is the same picture: the backdrop of a stage-sized
// movie alone took a quarter of a core at 12 frames a second. So such fills
// are drawn that way. (A picture shown larger than its movie's size also
// keeps its own colours up to its edges, as Flash draws it, where the
// pattern faded them into the transparency beyond.) The bitmap is drawn as
// its canvas is now, where a pattern keeps the canvas as it was when made:
// the engine draws a bitmap's canvas once, and again only when the movie
// changes its pixels, which its fills then show; a copy of every bitmap
// would cost as much memory again.
(() => {
    const context = CanvasRenderingContext2D.prototype;
    const createPattern = context.createPattern;
    const fill = context.fill;
    const setPatternTransform = CanvasPattern.prototype.setTransform;
    const singlePictures = new WeakMap();
    context.createPattern = function (image, repetition) {
        const pattern = createPattern.call(this, image, repetition);
        if (pattern && repetition === "no-repeat")
            singlePictures.set(pattern, { image, matrix: new DOMMatrix() });
        return pattern;
    };
    CanvasPattern.prototype.setTransform = function (matrix) {
        const single = singlePictures.get(this);
        if (single) single.matrix = DOMMatrix.fromMatrix(matrix);
        return setPatternTransform.call(this, matrix);
    };
    context.fill = function (...pathAndRule) {
        const single = singlePictures.get(this.fillStyle);
        if (!single) return fill.apply(this, pathAndRule);
        const m = single.matrix;
        this.save();
        this.clip(...pathAndRule);
        this.transform(m.a, m.b, m.c, m.d, m.e, m.f);
        this.drawImage(single.image, 0, 0);
        this.restore();
    };
})();

window.RufflePlayer = { config: { polyfills: false } };
</script>
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

function playMovie(load, base64, withMenu, stillAfterMs, frameRate, maySound) {
    showNothing();
    contextMenu = withMenu;
    paceMovie(stillAfterMs, frameRate);
    movieMaySound = maySound;
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
        pacing.counting = true;
        if (document.hidden) api.suspend();
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

// A movie out of sight does no work: behind a hidden view the engine would
// go on drawing every frame. It is suspended a moment after it is hidden,
// once it has taken the pointer's departure that hiding it causes (a button
// under the pointer would keep its over look), and shown again it goes on
// where it was.
let hiddenSuspension = null;
document.addEventListener("visibilitychange", () => {
    clearTimeout(hiddenSuspension);
    const player = current();
    if (!player) return;
    if (document.hidden) hiddenSuspension = setTimeout(() => player.ruffle().suspend(), answerTimeMs);
    else if (!pacing.paused) player.ruffle().resume();
});

function pause() {
    const player = current();
    if (player) player.ruffle().suspend();
    pacing.paused = true;
}
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
    engineBase_ = QUrl::fromLocalFile(engineFolder.endsWith('/') ? engineFolder : engineFolder + '/');
    connect(this, &QWebEnginePage::loadFinished, this, [this] {
        ready_ = true;
        for (const QString& script : std::exchange(pending_, {}))
            runJavaScript(script);
    });
}

void FlashPage::start()
{
    if (started_)
        return;
    started_ = true;
    setHtml(QString::fromUtf8(hostPage), engineBase_);
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
    start();
    const MovieTraits traits = readMovieTraits(movie);
    const QString stillAfterMs = traits.framesUntilStill
        ? QString::number(qRound(1000.0 * (*traits.framesUntilStill + 1) / traits.frameRate) + settleMarginMs)
        : QStringLiteral("null");
    run(QStringLiteral("playMovie(%1, \"%2\", %3, %4, %5, %6);")
            .arg(load)
            .arg(QString::fromLatin1(movie.toBase64()), contextMenu ? "true" : "false", stillAfterMs,
                QString::number(traits.frameRate), traits.maySound ? "true" : "false"));
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
