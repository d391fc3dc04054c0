#include "FrmReader.h"
#include "startup/ProgramMain.h"

int main(int argc, char** argv)
{
    // The reader starts as the catalog does: one instance, its own folder as
    // the media root, the disc's fonts, the screen check. It shows no web page.
    return startup::RunMainWindowProgram<reader::FrmReader>(
        argc, argv, {.name = "reader", .webControls = platform::qt::noWebControls()});
}
