#include "MeasuredFont.h"

#include <QGuiApplication>
#include <map>

namespace platform::qt {

namespace {

std::map<std::string, QString>& standIns()
{
    static std::map<std::string, QString> faces;
    return faces;
}

// Characters whose advance does not depend on their neighbours when set
// without shaping: Latin, general punctuation, CJK and full-width forms.
// Anything else (controls, combining marks, scripts that must be shaped)
// sends the whole string to the shaper.
bool measuredAlone(char32_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x300 && c != 0xAD) || (c >= 0x2010 && c < 0x2028) ||
           (c >= 0x3000 && c < 0xA000) || (c >= 0xFF00 && c < 0xFFF0);
}

QFont unshaped(const FontSpec& spec)
{
    QFont font = toQFont(spec);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace

void standInFace(const std::string& family, const QString& face)
{
    standIns()[family] = face;
    if (family == kDefaultFace)
        QGuiApplication::setFont(QFont(face, 9));
}

QFont toQFont(const FontSpec& spec)
{
    const auto standIn = standIns().find(spec.name);
    QFont f(standIn != standIns().end() ? standIn->second : QString::fromStdString(spec.name));
    if (spec.size > 0)
        f.setPointSizeF(spec.size);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    return f;
}

MeasuredFont::MeasuredFont(const FontSpec& spec, const QPaintDevice* device)
    : spec_(spec), font_(unshaped(spec)), metrics_(font_, device), advanceBlocks_(256)
{
}

double MeasuredFont::textWidth(std::string_view text)
{
    if (auto width = lastText_.widthOf(text, [this](char32_t c) { return advanceOf(c); }))
        return *width;
    return metrics_.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

// Only characters of the basic plane are measured alone.
std::optional<double> MeasuredFont::advanceOf(char32_t c)
{
    if (!measuredAlone(c))
        return std::nullopt;
    std::vector<double>& block = advanceBlocks_[(c >> 8) & 0xFF];
    if (block.empty())
        block.assign(256, -1);
    double& advance = block[c & 0xFF];
    if (advance < 0)
        advance = metrics_.horizontalAdvance(QString::fromUcs4(&c, 1));
    return advance;
}

} // namespace platform::qt
