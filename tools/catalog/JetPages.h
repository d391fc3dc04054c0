#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tools {

constexpr std::size_t jetPageSize = 4096;
using JetPage = std::array<std::uint8_t, jetPageSize>;

void PutJet16(JetPage& page, std::size_t offset, std::uint32_t value);
void PutJet32(JetPage& page, std::size_t offset, std::uint32_t value);
void PutJetBytes(JetPage& page, std::size_t offset, const std::string& bytes);

// Page 0: signature, version and the header block under its fixed cipher.
JetPage JetHeaderPage(std::uint16_t codePage, std::uint16_t languageId);

// A page of rows of one owner: rows packed from the page's end, their
// offsets listed from its start.
class JetRowPage {
public:
    explicit JetRowPage(std::uint32_t ownerPage);
    bool fits(std::size_t rowSize) const;
    // Returns the row's number on the page.
    std::uint8_t add(const std::string& row);
    const JetPage& page() const { return page_; }

private:
    std::size_t freeSpace() const;

    JetPage page_{};
    std::size_t rowCount_ = 0;
    std::size_t top_ = jetPageSize;
};

} // namespace tools
