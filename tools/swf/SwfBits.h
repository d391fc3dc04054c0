#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tools::swf {

using Bytes = std::vector<std::uint8_t>;

// Little-endian bytes and the movie format's most-significant-bit-first bit
// fields. Bit fields are flushed to a whole byte before any byte is written.
class SwfBits {
public:
    void u8(unsigned value);
    void u16(unsigned value);
    void u32(std::uint32_t value);
    // A null-terminated UTF-8 string.
    void string(const std::string& text);
    void bytes(const Bytes& data);

    void unsignedBits(std::uint32_t value, int count);
    void signedBits(std::int32_t value, int count);
    void align();

    const Bytes& data();

    // Bits needed to hold each value as a signed field.
    static int signedWidth(std::int32_t value);
    static int signedWidth(std::initializer_list<std::int32_t> values);

private:
    Bytes data_;
    std::uint8_t pending_ = 0;
    int pendingCount_ = 0;
};

} // namespace tools::swf
