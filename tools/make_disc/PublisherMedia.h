#pragma once
#include "Report.h"

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

namespace makedisc {

// The publisher's own media for the disc, each in place of the sample's:
// the two intro movies (avi/start.avi and avi/start1.avi), the menu's
// looping sound (sounds/back.wav) and a folder of lesson files with their
// pictures (product/text).
struct PublisherMedia {
    static constexpr const char* kIntroFiles[2] = {"avi/start.avi", "avi/start1.avi"};
    std::array<std::optional<std::filesystem::path>, 2> intros;
    std::optional<std::filesystem::path> sound;
    std::optional<std::filesystem::path> lessons;
    std::vector<std::filesystem::path> lessonFiles; // the folder's files that go on the disc, once checked
};

// Checks that each movie and the sound play as the disc's player plays
// them (FFmpeg decodes them whole, a movie with its pictures, a sound with
// its sound) and that each lesson file reads as the reader reads it (GB2312,
// GB18030 or UTF-8 text holding the chunk LESSON1, every tag closed). What
// fails is reported and left out: the sample's own stays on the disc (the
// sample's lessons, when none of the publisher's reads).
PublisherMedia CheckPublisherMedia(const PublisherMedia& given, Report& report);

} // namespace makedisc
