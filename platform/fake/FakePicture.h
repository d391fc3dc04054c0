#pragma once
#include "platform/Picture.h"

#include <memory>
#include <string>

namespace platform::fake {

// A picture known by name and size only.
class FakePicture : public Picture {
public:
    FakePicture(std::string name, int width, int height)
        : name_(std::move(name)), width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    int width_;
    int height_;
};

inline PicturePtr makeFakePicture(std::string name, int width, int height)
{
    return std::make_shared<FakePicture>(std::move(name), width, height);
}

// The name of a fake picture; empty for anything else.
inline std::string fakePictureName(const Picture* picture)
{
    auto fake = dynamic_cast<const FakePicture*>(picture);
    return fake ? fake->name() : std::string();
}

} // namespace platform::fake
