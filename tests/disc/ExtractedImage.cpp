#include "ExtractedImage.h"
#include "FolderListing.h"

#include <stdexcept>

namespace fs = std::filesystem;

namespace disctest {

testsupport::ProgramOutcome writeImage(const fs::path& layout, const fs::path& disc, const fs::path& image)
{
    return testsupport::runProgram({testsupport::sourceDir() + "/tools/disc/disc-image.sh", DISC_LAYOUT_PROGRAM,
                                    layout.string(), disc.string(), image.string()});
}

testsupport::ProgramOutcome writeSampleImage(const fs::path&, const fs::path& image)
{
    return writeImage(testsupport::sourceDir() + "/disc/layout.txt", testsupport::discDir(), image);
}

ExtractedImage::ExtractedImage(const std::string& name, const ImageWriter& write)
    : work_(name), image_(work_.path() / "disc.iso"), content_(work_.path() / "content")
{
    const auto written = write(work_.path(), image_);
    if (written.exitStatus != 0)
        throw std::runtime_error("the image was not written: " + written.output);
    const auto extracted = testsupport::runProgram(
        {"xorriso", "-osirrox", "on", "-indev", image_.string(), "-extract", "/", content_.string()});
    if (extracted.exitStatus != 0)
        throw std::runtime_error("the image was not extracted: " + extracted.output);
    makeReadOnly(content_);
}

ExtractedImage::~ExtractedImage()
{
    if (fs::exists(content_))
        makeWritable(content_);
}

} // namespace disctest
