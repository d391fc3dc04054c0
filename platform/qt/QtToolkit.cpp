#include "QtToolkit.h"
#include "QtControls.h"
#include "QtPicture.h"
#include "QtServices.h"
#include "base/PathCase.h"

#include <stdexcept>

namespace platform::qt {

std::unique_ptr<Form> QtToolkit::createForm() { return std::make_unique<QtForm>(); }

std::unique_ptr<PictureBox> QtToolkit::createPictureBox(Container& parent)
{
    return std::make_unique<QtPictureBox>(widgetOf(parent));
}

std::unique_ptr<Label> QtToolkit::createLabel(Container& parent) { return std::make_unique<QtLabel>(widgetOf(parent)); }

std::unique_ptr<EditBox> QtToolkit::createEditBox(Container& parent)
{
    return std::make_unique<QtEditBox>(widgetOf(parent));
}

std::unique_ptr<Button> QtToolkit::createButton(Container& parent) { return std::make_unique<QtButton>(widgetOf(parent)); }

std::unique_ptr<ListBox> QtToolkit::createListBox(Container& parent)
{
    return std::make_unique<QtListBox>(widgetOf(parent));
}

std::unique_ptr<Browser> QtToolkit::createBrowser(Container& parent)
{
    return webControls_.createBrowser(widgetOf(parent));
}

std::unique_ptr<FlashPlayer> QtToolkit::createFlashPlayer(Container& parent)
{
    return webControls_.createFlashPlayer(widgetOf(parent));
}

std::unique_ptr<Timer> QtToolkit::createTimer() { return std::make_unique<QtTimer>(); }

std::unique_ptr<PictureClip> QtToolkit::createPictureClip() { return std::make_unique<QtPictureClip>(); }

PicturePtr QtToolkit::loadPicture(const std::string& path)
{
    QImage image = decodedPictures_.load(QString::fromStdString(base::ExistingPathIgnoringCase(path)));
    if (image.isNull())
        return nullptr;
    return std::make_shared<QtPicture>(std::move(image));
}

void QtPictureClip::setPicture(PicturePtr picture)
{
    picture_ = std::move(picture);
    cells_.clear();
}

void QtPictureClip::setRows(int rows)
{
    rows_ = rows;
    cells_.clear();
}

void QtPictureClip::setCols(int cols)
{
    cols_ = cols;
    cells_.clear();
}

PicturePtr QtPictureClip::GraphicCell(int k) const
{
    if (!picture_ || rows_ <= 0 || cols_ <= 0 || k < 0 || k >= rows_ * cols_)
        return nullptr;
    if (cells_.empty())
        cells_.resize(std::size_t(rows_) * cols_);
    if (!cells_[k]) {
        const QImage& whole = imageOf(*picture_);
        const int w = whole.width() / cols_;
        const int h = whole.height() / rows_;
        cells_[k] = std::make_shared<QtPicture>(whole.copy((k % cols_) * w, (k / cols_) * h, w, h));
    }
    return cells_[k];
}

} // namespace platform::qt
