#include "SwfBits.h"

#include <algorithm>
#include <stdexcept>

namespace tools::swf {

void SwfBits::u8(unsigned value)
{
    align();
    data_.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void SwfBits::u16(unsigned value)
{
    if (value > 0xFFFF)
        throw std::out_of_range("value does not fit 16 bits");
    u8(value);
    u8(value >> 8);
}

void SwfBits::u32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        u8(value >> shift);
}

void SwfBits::string(const std::string& text)
{
    if (text.find('\0') != std::string::npos)
        throw std::invalid_argument("strings of a movie end at their first NUL");
    for (unsigned char c : text)
        u8(c);
    u8(0);
}

void SwfBits::bytes(const Bytes& data)
{
    align();
    data_.insert(data_.end(), data.begin(), data.end());
}

void SwfBits::unsignedBits(std::uint32_t value, int count)
{
    for (int bit = count - 1; bit >= 0; --bit) {
        pending_ = static_cast<std::uint8_t>((pending_ << 1) | ((value >> bit) & 1));
        if (++pendingCount_ == 8) {
            data_.push_back(pending_);
            pending_ = 0;
            pendingCount_ = 0;
        }
    }
}

void SwfBits::signedBits(std::int32_t value, int count)
{
    if (count < signedWidth(value))
        throw std::out_of_range("value does not fit its bit field");
    unsignedBits(static_cast<std::uint32_t>(value), count);
}

void SwfBits::align()
{
    if (pendingCount_ > 0)
        unsignedBits(0, 8 - pendingCount_);
}

const Bytes& SwfBits::data()
{
    align();
    return data_;
}

int SwfBits::signedWidth(std::int32_t value)
{
    // One sign bit plus the magnitude bits of the value or of its complement.
    std::uint32_t magnitude = value < 0 ? ~static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    int width = 1;
    while (magnitude != 0) {
        ++width;
        magnitude >>= 1;
    }
    return width;
}

int SwfBits::signedWidth(std::initializer_list<std::int32_t> values)
{
    int width = 1;
    for (std::int32_t v : values)
        width = std::max(width, signedWidth(v));
    return width;
}

} // namespace tools::swf
