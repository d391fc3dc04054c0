#pragma once
#include "platform/Picture.h"

#include <QImage>

namespace platform::qt {

class QtPicture : public Picture {
public:
    explicit QtPicture(QImage image) : image_(std::move(image)) {}
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

// The image behind a picture of this implementation; a null image otherwise.
const QImage& imageOf(const Picture& picture);

} // namespace platform::qt
