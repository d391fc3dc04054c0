#pragma once

class QWebEngineProfile;

namespace platform::qt {

// The one browser profile that every Flash player shares: off the record,
// local files only (every network request is refused), media without a
// user gesture, no scroll bars or error pages. Lives as long as the application.
QWebEngineProfile* sharedFlashProfile();

} // namespace platform::qt
