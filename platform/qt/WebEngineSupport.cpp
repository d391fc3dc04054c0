#include "WebEngineSupport.h"
#include "DiscFileUrls.h"

#include <QCoreApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace platform::qt {

namespace {

// Refuses every request that would leave the machine, and finds the disc's
// files whatever the letter case the page asks for. Qt 6.4 hands this
// interceptor the file: requests of a page's scripts, style sheets and
// pictures and follows a redirect to another file: URL; a URL scheme of
// our own would instead need another base than file: in every page and a
// handler serving every file.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QString scheme = info.requestUrl().scheme();
        if (scheme != "file" && scheme != "data" && scheme != "blob" && scheme != "about")
            info.block(true);
        else if (auto found = CaseCorrectedFileUrl(info.requestUrl()))
            info.redirect(*found);
    }
};

} // namespace

QWebEngineProfile* localOnlyProfile()
{
    static QWebEngineProfile* profile = [] {
        auto* p = new QWebEngineProfile(QCoreApplication::instance());
        p->setUrlRequestInterceptor(new LocalOnlyInterceptor(p));
        p->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        return p;
    }();
    return profile;
}

void applyLocalPageSettings(QWebEnginePage& page)
{
    QWebEngineSettings* s = page.settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
}

} // namespace platform::qt
