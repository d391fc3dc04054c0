#include "MovieDescription.h"
#include "PictureRenderer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools::swf {
namespace {

[[noreturn]] void fail(const std::string& message) { throw std::invalid_argument(message); }

int requiredInt(const QJsonObject& o, const char* key, int min, int max)
{
    if (!o[key].isDouble())
        fail(std::string("\"") + key + "\" must be a number");
    int value = o[key].toInt();
    if (value < min || value > max)
        fail(std::string("\"") + key + "\" is outside " + std::to_string(min) + ".." + std::to_string(max));
    return value;
}

std::string text(const QJsonObject& o, const char* key) { return o[key].toString().toStdString(); }

void claimName(const Movie& movie, const std::string& name)
{
    if (movie.pictures.count(name) || movie.rectangles.count(name) || movie.buttons.count(name))
        fail("\"" + name + "\" is defined twice");
}

void readCharacters(Movie& movie, const QJsonObject& root, const QDir& baseDir)
{
    const QJsonObject pictures = root["pictures"].toObject();
    for (auto it = pictures.begin(); it != pictures.end(); ++it)
        movie.pictures[it.key().toStdString()] = renderPicture(it.value().toObject(), baseDir);
    const QJsonObject rectangles = root["rectangles"].toObject();
    for (auto it = rectangles.begin(); it != rectangles.end(); ++it) {
        claimName(movie, it.key().toStdString());
        QJsonObject r = it.value().toObject();
        movie.rectangles[it.key().toStdString()] = Rectangle{requiredInt(r, "width", 1, 4096),
            requiredInt(r, "height", 1, 4096), parseColour(r["color"].toString())};
    }
    const QJsonObject buttons = root["buttons"].toObject();
    for (auto it = buttons.begin(); it != buttons.end(); ++it) {
        claimName(movie, it.key().toStdString());
        QJsonObject b = it.value().toObject();
        movie.buttons[it.key().toStdString()] =
            Button{text(b, "up"), text(b, "over"), text(b, "down"), Command{text(b, "command"), text(b, "args")}};
    }
}

void readFrame(Frame& frame, const QJsonObject& f)
{
    for (const QJsonValue& v : f["place"].toArray()) {
        QJsonObject p = v.toObject();
        frame.placements.push_back({text(p, "name"), requiredInt(p, "depth", 1, 0xFFFF), p["x"].toInt(), p["y"].toInt()});
    }
    for (const QJsonValue& v : f["move"].toArray()) {
        QJsonObject m = v.toObject();
        frame.moves.push_back({requiredInt(m, "depth", 1, 0xFFFF), m["x"].toInt(), m["y"].toInt()});
    }
    for (const QJsonValue& v : f["commands"].toArray())
        frame.commands.push_back({text(v.toObject(), "command"), text(v.toObject(), "args")});
    frame.stop = f["stop"].toBool();
}

void readGlide(std::vector<Frame>& frames, const QJsonObject& g)
{
    int depth = requiredInt(g, "depth", 1, 0xFFFF);
    QJsonArray from = g["from"].toArray(), to = g["to"].toArray(), span = g["frames"].toArray();
    int first = span[0].toInt(), last = span[1].toInt();
    if (from.size() != 2 || to.size() != 2 || first < 1 || last <= first || last > static_cast<int>(frames.size()))
        fail("a glide needs \"from\", \"to\" and \"frames\" [first, last] inside the movie");
    for (int k = first; k <= last; ++k) {
        double t = double(k - first) / (last - first);
        auto at = [t](const QJsonValue& a, const QJsonValue& b) {
            return static_cast<int>(std::lround(a.toDouble() + t * (b.toDouble() - a.toDouble())));
        };
        frames[k - 1].moves.push_back({depth, at(from[0], to[0]), at(from[1], to[1])});
    }
}

int frameCountOf(const QJsonObject& root)
{
    int count = root["frameCount"].toInt(1);
    for (const QJsonValue& f : root["frames"].toArray())
        count = std::max(count, f.toObject()["frame"].toInt(1));
    return count;
}

} // namespace

Movie readMovieDescription(const QByteArray& json, const QDir& baseDir)
{
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (!doc.isObject())
        fail("not a JSON object: " + error.errorString().toStdString());
    QJsonObject root = doc.object();
    Movie movie;
    movie.width = requiredInt(root, "width", 1, 8192);
    movie.height = requiredInt(root, "height", 1, 8192);
    movie.frameRate = root["frameRate"].toDouble(12);
    if (movie.frameRate <= 0 || movie.frameRate >= 256)
        fail("\"frameRate\" must be above 0 and below 256");
    if (root.contains("background"))
        movie.background = parseColour(root["background"].toString());
    readCharacters(movie, root, baseDir);

    int frameCount = frameCountOf(root);
    if (frameCount < 1 || frameCount > 0xFFFF)
        fail("a movie has between 1 and 65535 frames");
    movie.frames.resize(frameCount);
    for (const QJsonValue& v : root["frames"].toArray()) {
        QJsonObject f = v.toObject();
        readFrame(movie.frames[requiredInt(f, "frame", 1, frameCount) - 1], f);
    }
    for (const QJsonValue& g : root["glides"].toArray())
        readGlide(movie.frames, g.toObject());
    return movie;
}

} // namespace tools::swf
