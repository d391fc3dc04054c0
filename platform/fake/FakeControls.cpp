#include "FakeControls.h"
#include "FakePicture.h"
#include "base/Encoding.h"

namespace platform::fake {

void FakeLabel::setCaption(const std::string& text)
{
    caption_ = text;
    double w = 0;
    std::size_t pos = 0;
    while (pos < text.size())
        w += base::isWideChar(base::nextCodePoint(text, pos)) ? 2 * charWidth : charWidth;
    width_ = int(w);
}

PicturePtr FakePictureClip::GraphicCell(int k) const
{
    if (!picture_ || rows_ <= 0 || cols_ <= 0 || k < 0 || k >= rows_ * cols_)
        return nullptr;
    const int w = picture_->width() / cols_;
    const int h = picture_->height() / rows_;
    return makeFakePicture(fakePictureName(picture_.get()) + "#" + std::to_string(k), w, h);
}

void FakeBrowser::navigateBlank()
{
    ++navigations;
    lines.clear();
    bodyHtml.clear();
    raiseTitleChange("about:blank");
}

} // namespace platform::fake
