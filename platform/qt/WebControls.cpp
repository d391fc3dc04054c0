#include "WebControls.h"
#include "ReadAhead.h"

#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <string>

namespace platform::qt {

void WebControls::prepare()
{
    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    ReadAhead::start(listedFiles(folder + "/runtime/read-ahead.txt", folder));
}

namespace {

class NoWebControls : public WebControls {
public:
    std::unique_ptr<Browser> createBrowser(QWidget*) override { refuse("a browser pane"); }
    std::unique_ptr<FlashPlayer> createFlashPlayer(QWidget*) override { refuse("a Flash player"); }
    void prepare() override { refuse("its web controls to be prepared"); }

private:
    // A wrong choice in main(), not something a user or a disc can cause.
    [[noreturn]] static void refuse(const char* request)
    {
        std::cerr << "programming error: a program without web controls asked for " << request << '\n';
        std::abort();
    }
};

} // namespace

WebControls& noWebControls()
{
    static NoWebControls none;
    return none;
}

} // namespace platform::qt
