#include "MovieSurface.h"
#include "startup/FlashMovies.h"

namespace launcher {

namespace {

constexpr int kTrackHeight = 14;
constexpr int kThumbWidth = 28;
constexpr int kExitButtonSize = 24;
constexpr int kWatcherMs = 1000;
const platform::Color kTrackColor = platform::rgb(0x5C, 0x0E, 0x0E);
const platform::Color kGold = platform::rgb(0xC9, 0xA4, 0x4C);
const platform::Color kCream = platform::rgb(0xF5, 0xEC, 0xD7);

} // namespace

MovieSurfaceLayout FitMovieSurface(int windowWidth, int windowHeight)
{
    const int trackTop = windowHeight - kTrackHeight;
    return MovieSurfaceLayout{
        {0, 0, windowWidth, trackTop},
        {0, trackTop, windowWidth, kTrackHeight},
        {0, trackTop, kThumbWidth, kTrackHeight},
        {windowWidth - kExitButtonSize, 0, kExitButtonSize, kExitButtonSize},
    };
}

MovieSurface::MovieSurface(platform::Platform& platform, platform::Container& window, const LauncherFolders& folders,
                           BackgroundSound& sound, int windowWidth, int windowHeight)
    : layout(FitMovieSurface(windowWidth, windowHeight))
    , bar(layout.track.left, layout.track.width, layout.thumb.width)
    , platform_(platform)
    , folders_(folders)
    , sound_(sound)
{
    platform::Toolkit& kit = platform.toolkit;
    PicAvi = kit.createPictureBox(window);
    PicAvi->setVisible(false);
    PicAvi->setBackColor(platform::rgb(0, 0, 0));
    MediaPlayer1 = kit.createMediaPlayer(*PicAvi);
    pic_ControlBar = kit.createPictureBox(window);
    pic_ControlBar->setVisible(false);
    pic_ControlButton = kit.createPictureBox(window);
    pic_ControlButton->setVisible(false);
    ExitAviPic = kit.createPictureBox(window);
    ExitAviPic->setVisible(false);
    Exitaviplay = kit.createFlashPlayer(*ExitAviPic);
    testend = kit.createTimer();
    testend->setInterval(kWatcherMs);
    testend->setEnabled(false);
    tmr_MoveControlBar = kit.createTimer();

    testend->onTick([this] { testend_Timer(); });
    tmr_MoveControlBar->onTick([this] { tmr_MoveControlBar_Timer(); });
    pic_ControlBar->onMouseDown([this](const platform::MouseEvent& e) { pic_ControlBar_MouseDown(e); });
    pic_ControlBar->onMouseMove([this](const platform::MouseEvent& e) { pic_ControlBar_MouseMove(e); });
    pic_ControlBar->onMouseUp([this](const platform::MouseEvent& e) { pic_ControlBar_MouseUp(e); });
    pic_ControlButton->onMouseDown([this](const platform::MouseEvent& e) { pic_ControlButton_MouseDown(e); });
    pic_ControlButton->onMouseMove([this](const platform::MouseEvent& e) { pic_ControlButton_MouseMove(e); });
    pic_ControlButton->onMouseUp([this](const platform::MouseEvent& e) { pic_ControlButton_MouseUp(e); });
    SetUpSeekBar();
}

MovieSurface::~MovieSurface() = default;

void MovieSurface::SetUpSeekBar()
{
    Dragging = false;
    const Area& t = layout.track;
    pic_ControlBar->setGeometry(t.left, t.top, t.width, t.height);
    pic_ControlButton->setGeometry(t.left, t.top, layout.thumb.width, layout.thumb.height);
    pic_ControlButton->bringToFront();
    DrawSeekBar();
    tmr_MoveControlBar->setInterval(kWatcherMs);
    tmr_MoveControlBar->setEnabled(true);
}

void MovieSurface::DrawSeekBar()
{
    const Area& t = layout.track;
    pic_ControlBar->filledBox(0, 0, t.width - 1, t.height - 1, kTrackColor);
    pic_ControlBar->line(0, t.height / 2, t.width, t.height / 2, kGold);
    const Area& b = layout.thumb;
    pic_ControlButton->filledBox(0, 0, b.width - 1, b.height - 1, kGold);
    pic_ControlButton->box(0, 0, b.width - 1, b.height - 1, kCream);
}

void MovieSurface::ShowMovieControls()
{
    pic_ControlBar->setVisible(true);
    pic_ControlButton->setVisible(true);
    ExitAviPic->setVisible(true);
}

void MovieSurface::PrepareExitButton()
{
    const Area& e = layout.exitButton;
    ExitAviPic->setGeometry(e.left, e.top, e.width, e.height);
    ExitAviPic->setVisible(true);
    startup::LoadMovieOrEnd(platform_, *Exitaviplay, folders_.MovPath + "/exitb.swf", 0, 0, e.width, e.height);
}

void MovieSurface::StartMovie(const std::string& name)
{
    if (sound_.Playing())
        sound_.StopAndClose();
    const Area& p = layout.picture;
    PicAvi->setGeometry(p.left, p.top, p.width, p.height);
    PicAvi->setVisible(true);
    movieName_ = name;
    MediaPlayer1->setFileName(folders_.AviPath + "/" + name + ".avi");
    MediaPlayer1->setGeometry(0, 0, p.width, p.height);
    // Shown again here: closing the surface for another program hid it.
    MediaPlayer1->setVisible(true);
    MediaPlayer1->play();
    // The movie covers the menu; the seek bar and the exit button stay in
    // front of the movie.
    PicAvi->bringToFront();
    pic_ControlBar->bringToFront();
    pic_ControlButton->bringToFront();
    ExitAviPic->bringToFront();
}

void MovieSurface::StartEndWatcher() { testend->setEnabled(true); }

void MovieSurface::LeaveMovie()
{
    MediaPlayer1->stop();
    MediaPlayer1->reset();
    PicAvi->setVisible(false);
    pic_ControlBar->setVisible(false);
    pic_ControlButton->setVisible(false);
    testend->setEnabled(false);
    ExitAviPic->setVisible(false);
}

void MovieSurface::CloseMovieSurface()
{
    // Leaving the seek bar, the exit button and the end watcher as they were
    // would keep them over a menu without a movie, and the watcher would
    // bring back a movie stopped in its last second behind the program just
    // started; so the movie is left entirely.
    LeaveMovie();
    MediaPlayer1->setVisible(false);
}

void MovieSurface::SeekToThumb()
{
    MediaPlayer1->setCurrentPosition(bar.PositionAt(pic_ControlButton->left(), MediaPlayer1->duration()));
}

void MovieSurface::MoveThumbTo(double candidateLeft)
{
    const SeekBar::Placement placement = bar.Place(candidateLeft);
    PlaceThumb(placement.left);
    if (placement.seek)
        SeekToThumb();
}

void MovieSurface::PlaceThumb(int left)
{
    pic_ControlButton->move(left, pic_ControlBar->top());
}

void MovieSurface::testend_Timer()
{
    const double duration = MediaPlayer1->duration();
    // A file that could not be loaded has no duration: restarting it every
    // second would only stop the background sound each time.
    if (duration > 0 && duration - MediaPlayer1->currentPosition() <= 1) {
        MediaPlayer1->stop();
        MediaPlayer1->reset();
        StartMovie(movieName_);
    }
}

void MovieSurface::tmr_MoveControlBar_Timer()
{
    if (MediaPlayer1->playState() != platform::MediaPlayer::Playing)
        return;
    if (auto left = bar.ThumbLeftAt(MediaPlayer1->currentPosition(), MediaPlayer1->duration()))
        PlaceThumb(*left);
}

void MovieSurface::pic_ControlBar_MouseDown(const platform::MouseEvent& e)
{
    PlaceThumb(bar.Clamp(pic_ControlBar->left() + e.x));
    Dragging = true;
    SeekToThumb();
}

void MovieSurface::pic_ControlBar_MouseMove(const platform::MouseEvent& e)
{
    if (Dragging)
        MoveThumbTo(pic_ControlBar->left() + e.x);
}

void MovieSurface::pic_ControlBar_MouseUp(const platform::MouseEvent&) { Dragging = false; }

void MovieSurface::pic_ControlButton_MouseDown(const platform::MouseEvent&) { Dragging = true; }

void MovieSurface::pic_ControlButton_MouseMove(const platform::MouseEvent& e)
{
    if (Dragging)
        MoveThumbTo(pic_ControlButton->left() + e.x);
}

void MovieSurface::pic_ControlButton_MouseUp(const platform::MouseEvent& e)
{
    MoveThumbTo(pic_ControlButton->left() + e.x);
    Dragging = false;
}

} // namespace launcher
