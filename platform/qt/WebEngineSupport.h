#pragma once

class QWebEngineProfile;
class QWebEnginePage;

namespace platform::qt {

// One off-the-record profile for every browser pane and player of the
// process: pages may read local files and nothing from the network.
QWebEngineProfile* localOnlyProfile();

// Settings every page of ours needs: scripts on, local files readable,
// remote content and plug-ins off.
void applyLocalPageSettings(QWebEnginePage& page);

} // namespace platform::qt
