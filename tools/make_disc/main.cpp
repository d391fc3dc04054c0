// make-disc: a disc of a publisher's own catalog. Reads the publisher's books
// (a spreadsheet saved as CSV or tab-separated text, or a catalog database),
// their covers and the disc's title and publisher, reports everything wrong
// with them, and writes a disc folder and its ISO image: the sample disc's
// programs and runtime with the publisher's data and words. See README.md,
// "Making your own disc".
//
// Exit status: 0 when the disc was written (with --check: could be), 1 when
// nothing could be, 2 for a usage error.
#include "CatalogMaking.h"
#include "Covers.h"
#include "DiscAssembly.h"
#include "FontCoverage.h"
#include "MakeDiscOptions.h"

#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <exception>

using namespace makedisc;
namespace fs = std::filesystem;

namespace {

constexpr int kWritten = 0;
constexpr int kNothingWritten = 1;
constexpr int kUsageError = 2;

int fail(const std::string& why)
{
    std::fprintf(stderr, "make-disc: %s\n", why.c_str());
    return kNothingWritten;
}

void checkWords(const tools::DiscWords& words, const FontCoverage& fonts, Report& report)
{
    for (const auto& [option, text] : {std::pair{"--title", words.title}, std::pair{"--publisher", words.publisher}})
        if (const auto missing = fonts.firstMissing(text.toStdString()))
            report.problem(option, Quoted(text.toStdString()) + " holds " + CharacterName(*missing) + ", which the disc's fonts lack",
                           "it is drawn as it is and may show as a box");
}

std::string summary(const Catalog& catalog, const std::vector<ConvertedCover>& converted, const Report& report)
{
    const auto covers = std::count_if(converted.begin(), converted.end(), [](const ConvertedCover& c) { return c.fault.empty(); });
    const auto count = [](std::size_t n, const char* one, const char* more) { return std::to_string(n) + " " + (n == 1 ? one : more); };
    return count(catalog.books.size(), "book", "books") + " in " + count(catalog.categories.size(), "category", "categories") +
           ", " + count(std::size_t(covers), "cover", "covers") + "; " + count(report.problemCount(), "problem", "problems");
}

int makeDisc(const MakeDiscOptions& options, const DiscParts& parts)
{
    const fs::path sample = parts.sampleDisc;
    const FontCoverage fonts({(sample / "times.ttf").string(), (sample / "arial.ttf").string(), (sample / "FZCCHJW.TTF").string()});
    Report report;
    checkWords(options.words, fonts, report);
    const Catalog catalog =
        MakeCatalog({options.books.string(), options.encoding, (sample / "product/jetcopy").string()}, fonts, report);
    std::vector<CoverFile> covers;
    if (options.covers)
        covers = FindCovers(*options.covers, catalog, report);
    else
        report.note("--covers", "not given: the books have no covers");
    const std::vector<ConvertedCover> converted = ConvertCovers(covers);
    ReportCoverFaults(covers, converted, catalog, report);
    const PublisherMedia media = CheckPublisherMedia(options.media, report);

    std::fputs(report.text().c_str(), stdout);
    std::printf("make-disc: %s\n", summary(catalog, converted, report).c_str());
    std::fflush(stdout);
    if (catalog.books.empty())
        return fail("no book can be read; no disc is written");
    if (options.checkOnly)
        return kWritten;
    const DiscContent content{catalog, covers, converted, options.words, media};
    WriteDiscFolder(parts, content, options.folder);
    WriteDiscImage(parts, content, options.folder, options.image);
    std::printf("make-disc: wrote %s and %s\n", options.folder.string().c_str(), options.image.string().c_str());
    return kWritten;
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures and movies are drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The picture decoders' own warnings about a broken cover would stand
    // among the report's lines, which say the same for a person to act on.
    QLoggingCategory::setFilterRules("qt.gui.imageio*=false");
    std::string error;
    const auto options = ReadOptions(app.arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "make-disc: %s\n%s", error.c_str(), kUsage);
        return kUsageError;
    }
    const DiscParts parts = PartsBesideProgram(app.applicationDirPath().toStdString(), options->sampleDisc);
    if (const std::string missing = MissingPart(parts); !missing.empty())
        return fail(missing);
    try {
        return makeDisc(*options, parts);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
