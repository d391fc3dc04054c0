#pragma once
#include "PublisherMedia.h"
#include "TextDecoding.h"
#include "tools/common/DiscWords.h"

#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>

namespace makedisc {

// The command line of make-disc.
struct MakeDiscOptions {
    std::filesystem::path books;
    std::optional<std::filesystem::path> covers;
    std::optional<TextEncoding> encoding;
    tools::DiscWords words;
    std::filesystem::path image;
    std::filesystem::path folder; // the disc folder, by default the image's name without its extension
    std::filesystem::path sampleDisc; // empty: beside the program
    PublisherMedia media;
    bool checkOnly = false;
};

// The options from the arguments (without the program's name); or, in
// `error`, what is wrong with them: a usage error.
std::optional<MakeDiscOptions> ReadOptions(const QStringList& arguments, std::string& error);

extern const char* const kUsage;

} // namespace makedisc
