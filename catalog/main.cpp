#include "FrmMain.h"
#include "platform/qt/LinkedWebControls.h"
#include "platform/qt/WebEngineProcess.h"
#include "startup/ProgramMain.h"

int main(int argc, char** argv)
{
    platform::qt::drawPagesByProcessor();
    return startup::RunMainWindowProgram<catalog::FrmMain>(
        argc, argv, {.name = "product", .webControls = platform::qt::linkedWebControls()});
}
