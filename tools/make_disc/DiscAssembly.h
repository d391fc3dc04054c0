#pragma once
#include "Catalog.h"
#include "Covers.h"
#include "PublisherMedia.h"
#include "tools/common/DiscWords.h"

#include <filesystem>
#include <string>

namespace makedisc {

// What a publisher's disc is made from, besides the publisher's data: the
// assembled sample disc, whose programs, runtime, fonts and media it
// carries, and the sample's image script with its layout check.
struct DiscParts {
    std::filesystem::path sampleDisc;
    std::filesystem::path imageScript;   // disc-image.sh
    std::filesystem::path layoutChecker; // disc_layout
    std::filesystem::path layoutFile;    // layout.txt
};

// The parts beside the running program: the script, the checker and the
// layout in its own folder, the sample disc in "disc" one folder up (so in
// the build tree, build/publisher/make-disc finds build/disc), unless given.
DiscParts PartsBesideProgram(const std::filesystem::path& programFolder, const std::filesystem::path& sampleDisc = {});

// Why the parts cannot make a disc; empty when they can.
std::string MissingPart(const DiscParts& parts);

// Everything the publisher's disc holds of its own.
struct DiscContent {
    const Catalog& catalog;
    const std::vector<CoverFile>& covers;
    const std::vector<ConvertedCover>& converted;
    const tools::DiscWords& words;
    const PublisherMedia& media;
};

// Writes the disc folder: the sample disc with the publisher's catalog,
// covers, book list, words (the catalog window's pictures, the menu, the
// looping presentation, the second intro, README.txt, the data folder's
// readmes, cd.ini) and media in place of the sample's. It is written beside
// the folder first and takes its place only when complete; a folder there
// already is replaced only when it is a disc (it holds cd.ini). Throws
// std::runtime_error when it cannot be written.
void WriteDiscFolder(const DiscParts& parts, const DiscContent& content, const std::filesystem::path& folder);

// Writes the disc folder's image with the sample's image script, which
// checks the folder against the layout (MadeDiscLayout) first. Throws
// std::runtime_error with the script's words when it fails.
void WriteDiscImage(const DiscParts& parts, const DiscContent& content, const std::filesystem::path& folder,
                    const std::filesystem::path& image);

// The sample's layout as it holds for a publisher's disc: with the
// publisher's lessons, the sample lessons' entries give way to one for the
// lessons' folder; without any cover, the covers' folder may be empty.
std::string MadeDiscLayout(const std::string& sampleLayout, const DiscContent& content);

} // namespace makedisc
