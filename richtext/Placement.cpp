#include "CSuperTextC.h"
#include "TextScan.h"
#include "base/Text.h"

#include <algorithm>
#include <limits>

namespace richtext {

namespace {

constexpr int kInlinePictureGap = 5;
constexpr std::int32_t kTextBoxDrop = 2;
constexpr std::int16_t kWidest = std::numeric_limits<std::int16_t>::max();
constexpr std::int16_t kLowest = std::numeric_limits<std::int16_t>::min();

template <class T>
T* createElement(platform::ControlSet<T>* set, int index)
{
    if (!set)
        return nullptr;
    if (!set->exists(index))
        set->load(index);
    return &(*set)[index];
}

template <class T>
void unloadCreated(platform::ControlSet<T>* set)
{
    if (!set)
        return;
    for (int index = set->count() - 1; index >= 1; --index)
        if (set->exists(index))
            set->unload(index);
}

std::int16_t number16(const std::string& text)
{
    return base::toInt16(text).value_or(0);
}

std::string valueOr(const std::string& value, const char* fallback)
{
    return isSpacesOnly(value) ? std::string(fallback) : value;
}

} // namespace

void CSuperTextC::removeCreatedElements()
{
    unloadCreated(objImg_);
    unloadCreated(objMask_);
    unloadCreated(objText_);
}

// The attribute text arrives in capitals.
void CSuperTextC::PlacePicture(const std::string& attributes)
{
    PictureFiles files;
    files.picturePath = CurrPath_ + "/" + attribute(attributes, "SRC");
    const std::string maskName = attribute(attributes, "MASK");
    files.maskPath = CurrPath_ + "/" + (maskName.empty() ? std::string("null") : maskName);
    const std::int16_t w = files.width = number16(attribute(attributes, "WIDTH"));
    const std::int16_t h = files.height = number16(attribute(attributes, "HEIGHT"));
    ImageEntry image;
    image.Team = number16(attribute(attributes, "TEAM"));
    image.Align = attribute(attributes, "ALIGN");
    image.Hot = attribute(attributes, "HOT");

    std::int32_t x = 0, y = 0;
    movePenForPicture(image.Align, w, x, y);
    std::int16_t top = 0;
    if (!storePlace(top, y) || !storePlace(layout_.ImgBottom, double(y) + h))
        return;
    image.Left = x;
    image.Top = y;
    storeRounded(image.Right, double(x) + w);
    storeRounded(image.Bottom, double(y) + h);
    if (roomFor16BitCount(doc_.Images.size())) {
        const int index = int(doc_.Images.size());
        doc_.Images.push_back(image);
        createPictureHolders(index, files);
    }
}

// A left picture shares the line only with the pen at the left margin; a
// right one only while nothing has been placed in the document yet.
void CSuperTextC::movePenForPicture(const std::string& align, std::int16_t w, std::int32_t& x, std::int32_t& y)
{
    const std::int32_t curX = layout_.CurX;
    const double nextLine = layout_.CurY + page_.nLineHeight;
    y = layout_.CurY;
    if (align == "LEFT") {
        x = 0;
        if (curX == 10) {
            layout_.CurX = w;
        } else {
            storeRounded(y, nextLine);
            layout_.CurY = y;
        }
    } else if (align == "CENTER") {
        x = 0;
    } else if (align == "RIGHT") {
        x = std::int32_t(std::int64_t(page_.PageRect.Right) - page_.PageRect.Left - w);
        if (curX != 0)
            storeRounded(y, nextLine);
    } else {
        x = curX;
        if (std::int64_t(curX) + w > page_.PageRect.Right) {
            x = 10;
            storeRounded(y, nextLine);
        }
        storeRounded(layout_.CurX, double(curX) + w + kInlinePictureGap);
    }
}

// Our mask holders have no group property: the group stays in the record.
void CSuperTextC::createPictureHolders(int index, const PictureFiles& files)
{
    ImageEntry& image = doc_.Images[std::size_t(index)];
    if (platform::PictureBox* holder = createElement(objImg_, index + 1)) {
        holder->setGeometry(image.Left, image.Top, files.width, files.height);
        holder->setPicture(toolkit_.loadPicture(files.picturePath));
    }
    platform::PictureBox* maskHolder = createElement(objMask_, index + 1);
    if (maskHolder)
        maskHolder->resize(files.width, files.height);
    if (!maskHolder || !application_.fileExists(files.maskPath))
        return;
    platform::PicturePtr mask = toolkit_.loadPicture(files.maskPath);
    maskHolder->setPicture(mask);
    image.HasMask = mask != nullptr;
}

// The attribute text keeps its letter case.
void CSuperTextC::PlaceInput(const std::string& attributes)
{
    const std::string type = attribute(attributes, "TYPE");
    const std::string group = attribute(attributes, "NAME");
    const std::string widthValue = valueOr(attribute(attributes, "WIDTH"), "10");
    const std::string mode = attribute(attributes, "MODE");
    const std::string heightValue = valueOr(attribute(attributes, "HEIGHT"), "1");
    TextBoxEntry box;
    box.Value = attribute(attributes, "VALUE");
    box.Value2 = attribute(attributes, "VALUE2");
    box.Value3 = attribute(attributes, "VALUE3");
    box.Mode = mode;
    const bool key = base::toUpperAscii(attribute(attributes, "CHECKED")) == "TRUE";
    const bool startsLine = attribute(attributes, "ALIGN") == "LEFT";

    storeRounded(layout_.CurX, double(layout_.CurX) + MeasureText("H"));
    if (startsLine && layout_.CurX > 0)
        NewLine();
    const std::string kind = base::toUpperAscii(type);
    if (kind == "TEXT")
        addTextBox(box, widthValue, heightValue);
    else if (kind == "CHECKBOX")
        addCheckBox(key);
    else if (kind == "RADIO")
        addRadio(key, group);
}

void CSuperTextC::addTextBox(TextBoxEntry box, const std::string& widthValue, const std::string& heightValue)
{
    const auto lines = base::parseNumber(heightValue);
    if (lines)
        storeRounded(box.Height, page_.nLineHeight * *lines - 2);
    box.Width = textBoxWidth(widthValue);
    if (RightLimit(layout_.CurY) < std::int64_t(layout_.CurX) + box.Width)
        NewLine();
    if (!storePlace(box.X, layout_.CurX) || !storePlace(box.Y, double(layout_.CurY) + kTextBoxDrop))
        return;
    storeRounded(layout_.CurX, double(layout_.CurX) + box.Width);
    if (lines)
        storeRounded(layout_.CurY, layout_.CurY + page_.nLineHeight * (*lines - 1));
    lastPlacedY_ = layout_.CurY;
    if (!roomFor16BitCount(doc_.TextBoxes.size()))
        return;
    doc_.TextBoxes.push_back(box);
    if (platform::EditBox* edit = createElement(objText_, int(doc_.TextBoxes.size()))) {
        edit->setGeometry(box.X, box.Y, box.Width, box.Height);
        edit->setVisible(true);
    }
}

// A width ending in "%" is a share of the page; otherwise it counts "H"s.
std::int16_t CSuperTextC::textBoxWidth(const std::string& widthValue)
{
    std::int16_t width = 0;
    if (!widthValue.empty() && widthValue.back() == '%') {
        if (auto percent = base::parseNumber(std::string_view(widthValue).substr(0, widthValue.size() - 1)))
            storeRounded(width, (double(page_.PageRect.Right) - page_.PageRect.Left - 1) * *percent / 100);
    } else if (auto count = base::parseNumber(widthValue)) {
        storeRounded(width, *count * MeasureText("H"));
    }
    return width;
}

void CSuperTextC::keepSquareOnLine(std::int16_t width)
{
    if (RightLimit(layout_.CurY) < std::int64_t(layout_.CurX) + width)
        NewLine();
}

template <typename SquareInput> bool CSuperTextC::placeSquareInput(SquareInput& item)
{
    storeRounded(item.Width, page_.RawLineHeight);
    item.Height = item.Width;
    keepSquareOnLine(item.Width);
    if (!storePlace(item.X, layout_.CurX) || !storePlace(item.Y, layout_.CurY))
        return false;
    lastPlacedY_ = layout_.CurY;
    storeRounded(layout_.CurX, double(layout_.CurX) + item.Width);
    return true;
}

void CSuperTextC::addCheckBox(bool key)
{
    CheckBoxEntry item;
    item.Key = key;
    if (placeSquareInput(item) && roomFor16BitCount(doc_.CheckBoxes.size()))
        doc_.CheckBoxes.push_back(item);
}

void CSuperTextC::addRadio(bool key, const std::string& group)
{
    RadioEntry item;
    item.Key = key;
    item.Group = group;
    if (placeSquareInput(item) && roomFor16BitCount(doc_.Radios.size()))
        doc_.Radios.push_back(item);
}

// A rule lies on the pen's line, from the picture beside it or x 0 to the
// right limit; the pen does not move.
void CSuperTextC::AddRule()
{
    if (!roomFor16BitCount(doc_.Rule.size()))
        return;
    RuleEntry rule;
    const std::int32_t left = LeftLimit(layout_.CurY);
    if (!storePlace(rule.X1, left > 10 ? left : 0) || !storePlace(rule.Y, layout_.CurY))
        return;
    // A right limit outside the 16-bit range lies off any surface: the rule
    // ends as well at the range's end.
    rule.X2 = std::int16_t(std::clamp<std::int32_t>(RightLimit(layout_.CurY), kLowest, kWidest));
    doc_.Rule.push_back(rule);
}

} // namespace richtext
