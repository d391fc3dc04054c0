#pragma once
#include <memory>

namespace platform {

// A loaded picture. Surfaces and controls of the same implementation know
// how to draw it; Parts only ask for its size.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

using PicturePtr = std::shared_ptr<const Picture>;

} // namespace platform
