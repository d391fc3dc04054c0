#include "FlashMovies.h"

namespace launcher {

void SeriousError(platform::Platform& platform)
{
    platform.messages.ok("初始化登陆窗体失败，程序将退出。", "严重错误");
    platform.app.end(0);
}

void LoadMovieOrEnd(platform::Platform& platform, platform::FlashPlayer& player, const std::string& movie,
                    int left, int top, int width, int height)
{
    if (!platform.app.fileExists(movie) || !player.canPlay())
        return SeriousError(platform);
    player.setMovie(movie);
    player.setGeometry(left, top, width, height);
    player.disableContextMenu();
}

} // namespace launcher
