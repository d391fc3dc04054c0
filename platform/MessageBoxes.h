#pragma once
#include <string>

namespace platform {

enum class Answer { Yes, No };

// Modal message boxes. An empty caption shows the application's title.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void ok(const std::string& text, const std::string& caption = {}) = 0;
    virtual Answer yesNo(const std::string& text, const std::string& caption = {}) = 0;
};

} // namespace platform
