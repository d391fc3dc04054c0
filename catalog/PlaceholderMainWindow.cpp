#include "PlaceholderMainWindow.h"

namespace catalog {

PlaceholderMainWindow::PlaceholderMainWindow(platform::Platform& platform, const startup::MediaFolders& folders)
    : platform_(platform), folders_(folders), form_(platform.toolkit.createForm())
{
}

void PlaceholderMainWindow::Init()
{
    form_->setFrameless(true);
    form_->setCaption("书目");
    startup::PlaceMainWindow(*form_, platform_.app, platform_.toolkit, folders_.PicPath);
    form_->show();
}

void PlaceholderMainWindow::Show() { form_->show(); }

} // namespace catalog
