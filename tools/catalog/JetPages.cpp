#include "JetPages.h"

#include <cstring>
#include <stdexcept>

namespace tools {

namespace {

constexpr std::size_t rowCountOffset = 0x0C;
constexpr std::size_t headerCipherStart = 0x18;
constexpr std::size_t headerCipherLength = 128;
constexpr std::size_t codePageOffset = 0x3C;
constexpr std::size_t languageOffset = 0x6E;

// The header block is enciphered with RC4 under a key fixed by the format.
void applyHeaderCipher(std::uint8_t* data, std::size_t length)
{
    const std::uint8_t key[4] = {0xC7, 0xDA, 0x39, 0x6B};
    std::uint8_t state[256];
    for (int i = 0; i < 256; ++i)
        state[i] = static_cast<std::uint8_t>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + state[i] + key[i % 4]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    for (std::size_t n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + state[i]) & 0xFF;
        std::swap(state[i], state[j]);
        data[n] ^= state[(state[i] + state[j]) & 0xFF];
    }
}

} // namespace

void PutJet16(JetPage& page, std::size_t offset, std::uint32_t value)
{
    page.at(offset) = static_cast<std::uint8_t>(value);
    page.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutJet32(JetPage& page, std::size_t offset, std::uint32_t value)
{
    PutJet16(page, offset, value & 0xFFFF);
    PutJet16(page, offset + 2, value >> 16);
}

void PutJetBytes(JetPage& page, std::size_t offset, const std::string& bytes)
{
    if (offset + bytes.size() > page.size())
        throw std::runtime_error("Jet page overflow");
    std::memcpy(page.data() + offset, bytes.data(), bytes.size());
}

JetPage JetHeaderPage(std::uint16_t codePage, std::uint16_t languageId)
{
    JetPage page{};
    page[1] = 0x01;
    PutJetBytes(page, 4, std::string("Standard Jet DB\0", 16));
    PutJet32(page, 0x14, 1); // Jet 4
    PutJet16(page, codePageOffset, codePage);
    PutJet16(page, languageOffset, languageId);
    applyHeaderCipher(page.data() + headerCipherStart, headerCipherLength);
    return page;
}

JetRowPage::JetRowPage(std::uint32_t ownerPage)
{
    page_[0] = 0x01;
    page_[1] = 0x01;
    PutJet32(page_, 4, ownerPage);
    PutJet16(page_, 2, static_cast<std::uint32_t>(freeSpace()));
}

std::size_t JetRowPage::freeSpace() const { return top_ - (rowCountOffset + 2 + 2 * rowCount_); }

bool JetRowPage::fits(std::size_t rowSize) const { return rowSize + 2 <= freeSpace() && rowCount_ < 255; }

std::uint8_t JetRowPage::add(const std::string& row)
{
    if (!fits(row.size()))
        throw std::runtime_error("Jet row does not fit its page");
    top_ -= row.size();
    PutJetBytes(page_, top_, row);
    PutJet16(page_, rowCountOffset + 2 + 2 * rowCount_, static_cast<std::uint32_t>(top_));
    ++rowCount_;
    PutJet16(page_, rowCountOffset, static_cast<std::uint32_t>(rowCount_));
    PutJet16(page_, 2, static_cast<std::uint32_t>(freeSpace()));
    return static_cast<std::uint8_t>(rowCount_ - 1);
}

} // namespace tools
