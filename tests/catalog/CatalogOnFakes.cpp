#include "CatalogOnFakes.h"

namespace testsupport {

CatalogOnFakes::CatalogOnFakes(const std::string& programFolder)
    : folders(startup::composeMediaFolders(programFolder)), platform(fp.platform())
{
    fp.app.folder = programFolder;
    fp.app.files = {folders.PicPath + "/button.swf", folders.PicPath + "/tavro.swf"};
    fp.toolkit.pictures[folders.PicPath + "/bg.jpg"] = {800, 600};
    fp.toolkit.pictures[folders.PicPath + "/back.bmp"] = {800, 600};
    fp.toolkit.pictures[folders.PicPath + "/button3.jpg"] = {168, 22};
    fp.toolkit.pictures[folders.PicPath + "/button4.jpg"] = {72, 24};
    fp.textFiles.contents[folders.SrcPath + "/button.txt"] = {
        "<BUTTON3>", "<X=352 Y=505 W=56 H=22 RES=0 STYLE=1 FRAME=2 DFRAME=-1 TIP=查询>", "</BUTTON3>",
        "<BUTTON4>", "<X=766 Y=8 W=24 H=24 RES=0 STYLE=1 FRAME=2 DFRAME=-1 MASK=2 TIP=退出>",
        "<X=0 Y=0 W=5 H=5 RES=0 STYLE=1 FRAME=1 DFRAME=-1>", "</BUTTON4>"};
    window = std::make_unique<catalog::FrmMain>(platform, folders);
}

void CatalogOnFakes::search(const std::string& text)
{
    searchBox().setText(text);
    searchBox().pressKey(13);
}

} // namespace testsupport
