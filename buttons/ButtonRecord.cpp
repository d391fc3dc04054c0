#include "ButtonRecord.h"

#include "CSrcReader.h"
#include "base/Conversions.h"

namespace buttons {

namespace {

// Numeric text converts as everywhere in the system: rounded to the nearest
// whole number, halves to even. Anything else, or a value outside 16 bits,
// leaves the geometry or the cells undefined.
bool toField(const std::string& text, std::int16_t& field)
{
    const auto value = base::toInt16(text);
    if (value)
        field = *value;
    return value.has_value();
}

bool readRequired(const CSrcReader& reader, const char* key, std::int16_t& field)
{
    return toField(reader.GetOneProperty(key), field);
}

bool readMask(const CSrcReader& reader, std::int16_t& mask)
{
    const std::string text = reader.GetOneProperty("MASK");
    if (text.empty()) {
        mask = -1;
        return true;
    }
    return toField(text, mask);
}

} // namespace

std::optional<ButtonRecord> readButtonRecord(const CSrcReader& reader, bool visible)
{
    ButtonRecord b;
    const bool complete = readRequired(reader, "X", b.X) && readRequired(reader, "Y", b.Y)
        && readRequired(reader, "W", b.W) && readRequired(reader, "H", b.H)
        && readRequired(reader, "RES", b.RES) && readRequired(reader, "STYLE", b.STYLE)
        && readRequired(reader, "FRAME", b.FRAME) && readRequired(reader, "DFRAME", b.DFRAME)
        && readMask(reader, b.MASK);
    if (!complete)
        return std::nullopt;
    b.TIP = reader.GetOneProperty("TIP");
    b.Visible = visible;
    return b;
}

std::int16_t lastFrame(const ButtonRecord& button)
{
    return button.DFRAME == -1 ? button.FRAME : std::int16_t(button.FRAME - 1);
}

std::optional<std::int16_t> hoverFrame(const ButtonRecord& button)
{
    switch (button.STYLE) {
    case style::Rollover:
        return 2;
    case style::Toggle:
        return button.Up ? 2 : 4;
    default:
        return std::nullopt;
    }
}

std::optional<std::int16_t> restFrame(const ButtonRecord& button)
{
    switch (button.STYLE) {
    case style::Rollover:
    case style::AnimatedRollover:
        return 1;
    case style::Toggle:
        return button.Up ? 1 : 3;
    case style::AnimatedToggle:
        return button.Up ? std::int16_t(1) : lastFrame(button);
    default:
        return std::nullopt;
    }
}

std::optional<std::int16_t> pressFrame(const ButtonRecord& button)
{
    switch (button.STYLE) {
    case style::Toggle:
        return button.Up ? 3 : 1;
    case style::AnimatedToggle:
        return button.Up ? lastFrame(button) : std::int16_t(1);
    default:
        return std::nullopt;
    }
}

} // namespace buttons
