#pragma once
#include "Catalog.h"
#include "Report.h"

#include <QByteArray>

#include <filesystem>
#include <string>
#include <vector>

namespace makedisc {

// A book's cover found in the covers folder.
struct CoverFile {
    std::size_t book; // its place in the catalog's books
    std::filesystem::path file;
};

// The cover of each book in a folder of pictures named by the books' codes,
// whatever their letter case: JPEG, PNG, BMP or GIF (".jpg", ".jpeg",
// ".png", ".bmp", ".gif"). A book without one is reported (it is kept
// without a cover); so are pictures no book has and a second picture of
// one book, which are not used.
std::vector<CoverFile> FindCovers(const std::filesystem::path& folder, const Catalog& catalog, Report& report);

// A cover as the disc holds it: JPEG, fitted to the detail page's picture
// with its proportions kept; or why the file gives none.
struct ConvertedCover {
    QByteArray jpeg;
    std::string fault;
};

// Converts each cover, on all the processor's cores, with a progress line
// on a long run.
std::vector<ConvertedCover> ConvertCovers(const std::vector<CoverFile>& covers);

// Reports the covers that gave none; the book is kept without a cover.
void ReportCoverFaults(const std::vector<CoverFile>& covers, const std::vector<ConvertedCover>& converted,
                       const Catalog& catalog, Report& report);

} // namespace makedisc
