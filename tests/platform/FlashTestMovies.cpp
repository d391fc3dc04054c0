#include "FlashTestMovies.h"
#include "tools/swf/MovieBuilder.h"

#include <QFile>

namespace testsupport {

using namespace tools::swf;

Bitmap solidBitmap(int width, int height, std::uint32_t argb)
{
    return Bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, argb), {}};
}

Movie commandMovie(const std::vector<Command>& commands)
{
    Movie movie;
    movie.width = 100;
    movie.height = 50;
    movie.rectangles["box"] = Rectangle{40, 20, Rgba{0x8B, 0x1A, 0x1A, 0xFF}};
    movie.frames.resize(1);
    movie.frames[0].placements.push_back({"box", 1, 10, 10});
    movie.frames[0].commands = commands;
    movie.frames[0].stop = true;
    return movie;
}

Movie tickingMovie()
{
    Movie ticking = commandMovie({{"tick", ""}});
    ticking.frames[0].stop = false;
    ticking.frames.resize(2);
    return ticking;
}

Movie buttonMovie(const Command& release)
{
    Movie movie = commandMovie({{"ready", ""}});
    movie.width = 200;
    movie.height = 100;
    movie.pictures["up"] = solidBitmap(100, 40, 0xFF8B1A1A);
    movie.pictures["over"] = solidBitmap(100, 40, 0xFFC9A44C);
    movie.pictures["down"] = solidBitmap(100, 40, 0xFF5C0E0E);
    movie.buttons["button"] = Button{"up", "over", "down", release};
    movie.frames[0].placements = {{"button", 1, 50, 30}};
    return movie;
}

std::string MovieFolder::write(const std::string& name, const Movie& movie)
{
    Bytes bytes = buildMovie(movie);
    return writeBytes(name, std::string(bytes.begin(), bytes.end()));
}

std::string MovieFolder::writeBytes(const std::string& name, const std::string& bytes)
{
    QString path = dir_.filePath(QString::fromStdString(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
    return path.toStdString();
}

} // namespace testsupport
