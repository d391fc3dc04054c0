#include "DiscFileUrls.h"
#include "base/PathCase.h"

namespace platform::qt {

std::optional<QUrl> CaseCorrectedFileUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    const std::string given = url.toLocalFile().toStdString();
    const std::string found = base::ExistingPathIgnoringCase(given);
    if (found == given)
        return std::nullopt;
    QUrl corrected = QUrl::fromLocalFile(QString::fromStdString(found));
    corrected.setQuery(url.query(QUrl::FullyEncoded), QUrl::StrictMode);
    corrected.setFragment(url.fragment(QUrl::FullyEncoded), QUrl::StrictMode);
    return corrected;
}

} // namespace platform::qt
