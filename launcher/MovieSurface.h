#pragma once
#include "BackgroundSound.h"
#include "LauncherFolders.h"
#include "SeekBar.h"
#include "platform/Platform.h"

#include <cstdint>
#include <memory>
#include <string>

namespace launcher {

struct Area {
    int left, top, width, height;
};

// Where the movie surface's parts go in a window of the given size: the
// seek bar along the bottom, the movie above it, the exit button in the
// top-right corner over the movie. Everything stays inside the window.
struct MovieSurfaceLayout {
    Area picture;
    Area track;
    Area thumb;
    Area exitButton;
};
MovieSurfaceLayout FitMovieSurface(int windowWidth, int windowHeight);

// The movie surface of the menu window: a movie player in a picture box, a
// seek bar with its thumb, and a Flash exit button. The menu's command
// dispatch drives it; the seek bar answers the mouse itself.
class MovieSurface {
public:
    MovieSurface(platform::Platform& platform, platform::Container& window, const LauncherFolders& folders,
                 BackgroundSound& sound, int windowWidth, int windowHeight);
    ~MovieSurface();

    void ShowMovieControls();
    void PrepareExitButton();
    void StartMovie(const std::string& name);
    void StartEndWatcher();
    // The exit button's command: the movie stops and the surface hides.
    void LeaveMovie();
    // Before another program or the data folder takes over.
    void CloseMovieSurface();
    void SeekToThumb();

    // Controls, in the window's own names.
    std::unique_ptr<platform::PictureBox> PicAvi;
    std::unique_ptr<platform::MediaPlayer> MediaPlayer1;
    std::unique_ptr<platform::PictureBox> pic_ControlBar;
    std::unique_ptr<platform::PictureBox> pic_ControlButton;
    std::unique_ptr<platform::PictureBox> ExitAviPic;
    std::unique_ptr<platform::FlashPlayer> Exitaviplay;
    std::unique_ptr<platform::Timer> testend;
    std::unique_ptr<platform::Timer> tmr_MoveControlBar;

    bool Dragging = false;
    const MovieSurfaceLayout layout;
    const SeekBar bar;

private:
    void SetUpSeekBar();
    void DrawSeekBar();
    void MoveThumbTo(double candidateLeft);
    void PlaceThumb(int left);

    void testend_Timer();
    void tmr_MoveControlBar_Timer();
    void pic_ControlBar_MouseDown(const platform::MouseEvent& e);
    void pic_ControlBar_MouseMove(const platform::MouseEvent& e);
    void pic_ControlBar_MouseUp(const platform::MouseEvent& e);
    void pic_ControlButton_MouseDown(const platform::MouseEvent& e);
    void pic_ControlButton_MouseMove(const platform::MouseEvent& e);
    void pic_ControlButton_MouseUp(const platform::MouseEvent& e);

    platform::Platform& platform_;
    const LauncherFolders& folders_;
    BackgroundSound& sound_;
    std::string movieName_;
};

} // namespace launcher
