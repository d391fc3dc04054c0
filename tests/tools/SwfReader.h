#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Just enough of a movie file reader to check what the authoring tool wrote.
struct SwfTag {
    unsigned code = 0;
    std::vector<std::uint8_t> body;
    bool longHeader = false;
};

struct SwfGetUrl {
    std::string url;
    std::string target;
    bool operator==(const SwfGetUrl&) const = default;
};

struct SwfFile {
    char signature[3] = {};
    unsigned version = 0;
    std::uint32_t declaredLength = 0;
    std::size_t uncompressedLength = 0;
    int xMin = 0, xMax = 0, yMin = 0, yMax = 0; // twips
    unsigned frameRate88 = 0;                   // 8.8 fixed point
    unsigned frameCount = 0;
    std::vector<SwfTag> tags;
};

struct SwfPlacement {
    unsigned depth = 0;
    bool move = false;
    int characterId = -1; // -1: none
    int xTwips = 0, yTwips = 0;
};

struct SwfButton {
    unsigned id = 0;
    std::vector<std::pair<unsigned, unsigned>> looks; // (states, character id)
    unsigned condition = 0;
    std::vector<SwfGetUrl> actions;
};

struct SwfActions {
    std::vector<SwfGetUrl> getUrls;
    bool stops = false;
};

struct SwfBitmap {
    unsigned id = 0;
    int width = 0, height = 0;
    std::vector<std::uint8_t> argb; // as stored: premultiplied, A R G B
};

// Each throws std::runtime_error on bytes that do not follow the format.
SwfFile readSwf(const std::vector<std::uint8_t>& file);
SwfFile readSwfFile(const std::string& path);
SwfButton readButton2(const SwfTag& tag);
SwfActions readDoAction(const SwfTag& tag);
SwfPlacement readPlaceObject2(const SwfTag& tag);
SwfBitmap readLossless2(const SwfTag& tag);
// A shape's id and bounds in twips: {id, xMin, xMax, yMin, yMax}.
std::vector<int> readShapeBounds(const SwfTag& tag);

std::vector<SwfTag> tagsWithCode(const SwfFile& file, unsigned code);

} // namespace testsupport
