#pragma once
#include <QUrl>

#include <optional>

namespace platform::qt {

// Discs are authored where file names ignore letter case, and the pages and
// movies ask for their scripts, style sheets and pictures as their text
// spells them (a code a01 for a cover A01.JPG, a folder bookimgs). For a
// file: URL whose path exists only in another case, the URL of the path as
// the disc spells it, with the same query and fragment; nothing for a URL
// that is found as it is, is no local file or has no such path at all.
std::optional<QUrl> CaseCorrectedFileUrl(const QUrl& url);

} // namespace platform::qt
