// The peer of the catalog's start: a bare Qt window with one web view showing
// a page from a file. It writes "page shown" to its error output once the
// page has loaded and holds text.
#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bare_page_window <page.html>\n");
        return 2;
    }
    QApplication application(argc, argv);
    QWebEngineView view;
    view.resize(800, 600);
    auto* check = new QTimer(&view);
    check->setInterval(20);
    QObject::connect(check, &QTimer::timeout, [&] {
        view.page()->runJavaScript("document.body ? document.body.innerText.length : 0", [&](const QVariant& length) {
            if (check->isActive() && length.toInt() > 0) {
                check->stop();
                std::fprintf(stderr, "page shown\n");
            }
        });
    });
    QObject::connect(&view, &QWebEngineView::loadFinished, check, qOverload<>(&QTimer::start));
    view.show();
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    return application.exec();
}
