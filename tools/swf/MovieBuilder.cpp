#include "MovieBuilder.h"

#include <stdexcept>

namespace tools::swf {
namespace {

void append(Bytes& tags, const Bytes& tag) { tags.insert(tags.end(), tag.begin(), tag.end()); }

// Assigns character ids in definition order and writes the definitions.
class CharacterTable {
public:
    explicit CharacterTable(Bytes& tags) : tags_(tags) {}

    void definePicture(const std::string& name, const Bitmap& bitmap)
    {
        std::uint16_t bitmapId = newId();
        emit(bitmap.jpeg.empty() ? losslessBitmapTag(bitmapId, bitmap.width, bitmap.height, bitmap.argb)
                                   : jpegBitmapTag(bitmapId, bitmap.jpeg));
        std::uint16_t shapeId = newId();
        emit(bitmapRectangleTag(shapeId, bitmapId, bitmap.width, bitmap.height));
        ids_[name] = shapeId;
    }

    void defineRectangle(const std::string& name, const Rectangle& r)
    {
        std::uint16_t id = newId();
        emit(solidRectangleTag(id, r.width * twipsPerPixel, r.height * twipsPerPixel, r.colour));
        ids_[name] = id;
    }

    void defineButton(const std::string& name, const Button& button)
    {
        std::vector<ButtonRecord> looks{
            {idOf(button.up), ButtonState::Up | ButtonState::HitTest, 1},
            {idOf(button.over), ButtonState::Over, 2},
            {idOf(button.down), ButtonState::Down, 3},
        };
        std::uint16_t id = newId();
        emit(buttonTag(id, looks, {Action::getUrl(commandUrl(button.release.command), button.release.args)}));
        ids_[name] = id;
    }

    std::uint16_t idOf(const std::string& name) const
    {
        auto found = ids_.find(name);
        if (found == ids_.end())
            throw std::invalid_argument("the movie does not define \"" + name + "\"");
        return found->second;
    }

private:
    void emit(const Bytes& tag) { append(tags_, tag); }

    std::uint16_t newId()
    {
        if (nextId_ == 0xFFFF)
            throw std::invalid_argument("a movie holds at most 65534 characters");
        return nextId_++;
    }

    Bytes& tags_;
    std::map<std::string, std::uint16_t> ids_;
    std::uint16_t nextId_ = 1;
};

std::vector<Action> frameActions(const Frame& frame)
{
    std::vector<Action> actions;
    for (const Command& c : frame.commands)
        actions.push_back(Action::getUrl(commandUrl(c.command), c.args));
    if (frame.stop)
        actions.push_back(Action::stop());
    return actions;
}

void writeFrame(Bytes& tags, const CharacterTable& characters, const Frame& frame)
{
    for (const ObjectPlacement& p : frame.placements)
        append(tags, placeTag({static_cast<std::uint16_t>(p.depth), characters.idOf(p.name), p.x * twipsPerPixel,
            p.y * twipsPerPixel}));
    for (const ObjectMove& m : frame.moves)
        append(tags, placeTag({static_cast<std::uint16_t>(m.depth), std::nullopt, m.x * twipsPerPixel,
            m.y * twipsPerPixel}));
    if (auto actions = frameActions(frame); !actions.empty())
        append(tags, doActionTag(actions));
    append(tags, showFrameTag());
}

} // namespace

std::string commandUrl(const std::string& command) { return "FSCommand:" + command; }

Bytes buildMovie(const Movie& movie)
{
    if (movie.frames.empty() || movie.frames.size() > 0xFFFF)
        throw std::invalid_argument("a movie has between 1 and 65535 frames");
    Bytes tags = fileAttributesTag();
    append(tags, backgroundTag(movie.background));
    CharacterTable characters(tags);
    for (const auto& [name, bitmap] : movie.pictures)
        characters.definePicture(name, bitmap);
    for (const auto& [name, rectangle] : movie.rectangles)
        characters.defineRectangle(name, rectangle);
    for (const auto& [name, button] : movie.buttons)
        characters.defineButton(name, button);
    for (const Frame& frame : movie.frames)
        writeFrame(tags, characters, frame);
    append(tags, endTag());

    MovieHeader header;
    header.widthPx = movie.width;
    header.heightPx = movie.height;
    header.frameRate = movie.frameRate;
    header.frameCount = static_cast<std::uint16_t>(movie.frames.size());
    return movieFile(header, tags);
}

} // namespace tools::swf
