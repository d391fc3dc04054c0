#include "FlashMovies.h"

namespace startup {

void LoadMovieOrEnd(platform::Platform& platform, platform::FlashPlayer& player, const std::string& movie,
                    int left, int top, int width, int height)
{
    if (!platform.app.fileExists(movie) || !player.canPlay()) {
        platform.messages.ok("初始化登陆窗体失败，程序将退出。", "严重错误");
        platform.app.end(0);
    }
    player.setMovie(movie);
    player.setGeometry(left, top, width, height);
    player.disableContextMenu();
}

} // namespace startup
