#pragma once
#include <string>
#include <vector>

namespace platform {

class FontRegistry {
public:
    virtual ~FontRegistry() = default;
    // Makes a TrueType file usable by family name in this process's widgets
    // and browser panes; the drawing calls also get it for the family names
    // in `standsFor`, whatever fonts of those names the machine has. False
    // when the file could not be registered.
    virtual bool registerFontFile(const std::string& path, const std::vector<std::string>& standsFor) = 0;
};

} // namespace platform
