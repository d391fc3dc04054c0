#include "ExtractedImage.h"
#include "FolderListing.h"
#include "TempFolder.h"
#include "support/Programs.h"
#include "support/RunningProcesses.h"
#include "tools/disc/DiscLayout.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <thread>

using namespace disctest;
using platform::ChildProcess;
namespace fs = std::filesystem;

namespace {

const std::string layoutFile = testsupport::sourceDir() + "/disc/layout.txt";

std::string readSector(std::ifstream& iso, std::uint32_t sector)
{
    std::string bytes(2048, '\0');
    iso.seekg(std::streamoff(sector) * 2048);
    iso.read(bytes.data(), 2048);
    return iso ? bytes : std::string{};
}

std::uint32_t littleEndian32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    return value;
}

// What the volume descriptors from sector 16 on and the root folder's own
// entry say about the image's naming extensions.
struct ImageExtensions {
    bool iso9660 = false;
    bool joliet = false;    // a supplementary descriptor with a UCS-2 escape
    bool rockRidge = false; // SUSP and POSIX attributes on the root entry
};

ImageExtensions extensionsOf(const fs::path& image)
{
    ImageExtensions found;
    std::ifstream iso(image, std::ios::binary);
    std::string primary;
    for (std::uint32_t sector = 16; sector < 32; ++sector) {
        const std::string d = readSector(iso, sector);
        if (d.size() != 2048 || d.compare(1, 5, "CD001") != 0 || d[0] == '\xff')
            break;
        if (d[0] == 1)
            primary = d;
        const std::string escape = d.substr(88, 3);
        if (d[0] == 2 && (escape == "%/@" || escape == "%/C" || escape == "%/E"))
            found.joliet = true;
    }
    if (primary.empty())
        return found;
    found.iso9660 = true;
    const std::string root = readSector(iso, littleEndian32(primary, 156 + 2));
    const auto nameLength = std::size_t(static_cast<unsigned char>(root[32]));
    const std::size_t systemUse = 33 + nameLength + (nameLength % 2 == 0 ? 1 : 0);
    const std::string entry = root.substr(0, static_cast<unsigned char>(root[0]));
    if (entry.size() < systemUse + 7)
        return found;
    found.rockRidge = entry.compare(systemUse, 2, "SP") == 0 && entry.compare(systemUse + 4, 2, "\xbe\xef") == 0 &&
                      entry.find("PX", systemUse) != std::string::npos;
    return found;
}

// The sample disc written as an image, and the image's content extracted to a
// read-only folder.
class DiscImage : public ::testing::Test {
protected:
    ExtractedImage extracted{"disc-image"};
    const fs::path& image = extracted.image();
    const fs::path& content = extracted.content();
};

bool holds(const std::vector<std::string>& items, const std::string& item)
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

} // namespace

TEST_F(DiscImage, HoldsTheAssembledDiscWithNamesRunBitsAndBytes)
{
    const auto listing = listFolder(content);
    EXPECT_TRUE(std::any_of(listing.begin(), listing.end(), [](const ListedEntry& e) {
        return e.path == "product/product" && e.runBits == fs::perms(0111);
    })) << "the catalog is on the image and everyone may run it";
    EXPECT_EQ(contentDifferences(testsupport::discDir(), content), std::vector<std::string>{});
    EXPECT_EQ(tools::CheckDisc(content, tools::ReadDiscLayout(layoutFile)), std::vector<std::string>{});
}

TEST_F(DiscImage, IsIso9660WithJolietAndRockRidge)
{
    const ImageExtensions extensions = extensionsOf(image);
    EXPECT_TRUE(extensions.iso9660);
    EXPECT_TRUE(extensions.joliet);
    EXPECT_TRUE(extensions.rockRidge);
}

TEST_F(DiscImage, TheCatalogStartsFromTheReadOnlyContentAndWritesNothingThere)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    setenv("BOOKDISC_SCREEN", "1024x768", 1);
    const auto before = listFolder(content);
    const std::string database = (content / "product/DataBase/tavro.mdb").string();
    {
        // Started from the disc's root, as the start program leaves it.
        ChildProcess product(testsupport::inOwnGroup({(content / "product/product").string()}, content.string()));
        bool started = false;
        for (int tries = 0; tries < 600 && !started && !product.waitForExit(std::chrono::milliseconds(100)); ++tries)
            started = holds(testsupport::openFiles(product.pid()), database) &&
                      holds(testsupport::childCommandNames(product.pid()), "QtWebEngineProc");
        ASSERT_TRUE(started) << "the catalog did not open its database on the image and start its panes"
                             << " (another catalog running on this machine ends a new one at once)";
        // Time for the panes to load their pages and pictures from the disc.
        std::this_thread::sleep_for(std::chrono::seconds(3));
        EXPECT_FALSE(product.waitForExit(std::chrono::milliseconds(1))) << "the catalog ended by itself";
    }
    EXPECT_EQ(listingDifferences(before, listFolder(content)), std::vector<std::string>{});
}

TEST(DiscImageOfAnIncompleteDisc, IsNotWritten)
{
    TempFolder work{"disc-image-incomplete"};
    const auto layout = work.write("layout.txt", "file README.txt\nprogram play\n");
    work.write("disc/README.txt", "read me");
    const fs::path image = work.path() / "disc.iso";
    const auto outcome = writeImage(layout, work.path() / "disc", image);
    EXPECT_NE(outcome.exitStatus, 0);
    EXPECT_NE(outcome.output.find("play is missing"), std::string::npos) << outcome.output;
    EXPECT_FALSE(fs::exists(image));
    EXPECT_FALSE(fs::exists(image.string() + ".part"));
}
