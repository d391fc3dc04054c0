#pragma once
// The sample disc written as an image the way `make disc-image` does, and the
// image's content extracted to a read-only folder, as a mounted disc gives it.
#include "TempFolder.h"
#include "support/Programs.h"

#include <filesystem>
#include <functional>
#include <string>

namespace disctest {

// Runs the image script on a layout and a disc folder.
testsupport::ProgramOutcome writeImage(const std::filesystem::path& layout, const std::filesystem::path& disc,
                                       const std::filesystem::path& image);

// Writes an image file, given a work folder of its own.
using ImageWriter =
    std::function<testsupport::ProgramOutcome(const std::filesystem::path& work, const std::filesystem::path& image)>;

// The sample disc's image, as `make disc-image` writes it.
testsupport::ProgramOutcome writeSampleImage(const std::filesystem::path& work, const std::filesystem::path& image);

class ExtractedImage {
public:
    // Throws std::runtime_error, with the tools' output, when the image cannot
    // be written or extracted.
    explicit ExtractedImage(const std::string& name, const ImageWriter& write = writeSampleImage);
    ~ExtractedImage();
    ExtractedImage(const ExtractedImage&) = delete;
    ExtractedImage& operator=(const ExtractedImage&) = delete;

    const std::filesystem::path& image() const { return image_; }
    const std::filesystem::path& content() const { return content_; }
    // A folder beside the content for what a test writes itself.
    const std::filesystem::path& work() const { return work_.path(); }

private:
    TempFolder work_;
    std::filesystem::path image_;
    std::filesystem::path content_;
};

} // namespace disctest
