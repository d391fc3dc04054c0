// The peer of the catalog's start: a bare Qt WebEngine window showing one
// line of text, with none of the catalog's settings.
#include <QApplication>
#include <QWebEngineView>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWebEngineView view;
    view.setFixedSize(800, 600);
    view.setHtml(QStringLiteral("<html><body><p>一行文字 One line of text</p></body></html>"));
    view.show();
    return application.exec();
}
