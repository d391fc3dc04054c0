#pragma once
#include "Controls.h"
#include <functional>
#include <string>

namespace platform {

// An embedded browser pane whose pages the program writes itself.
class Browser : public Control {
public:
    // Shows an empty page whose title is "about:blank".
    virtual void navigateBlank() = 0;
    // Starts a new document; lines written after it make up its source.
    virtual void openDocument() = 0;
    // Appends a line and a line break to the open document.
    virtual void writeln(const std::string& line) = 0;
    virtual void setBodyInnerHtml(const std::string& html) = 0;
    // Reported for every title change, "about:blank" included.
    virtual void onTitleChanged(std::function<void(const std::string& title)> handler) = 0;
};

} // namespace platform
