#pragma once
// A memory dump as its header announced it: word 0 the page count, word 1 the
// memory type, then the pages of 128 words each. A page held is the 128 words its
// transfer packet carries, read in place: the packets' bytes live until the next
// open, as the image does. Only a page whose packet is too short to hold them is
// copied, padded with zeros. The pages the file did not hold read as zero without
// taking room, so a header announcing 65 535 pages in a file cut short costs what
// the file brought, not 16 MiB.

#include "archive/RawPacket.h"
#include "archive/WordView.h"

#include <array>
#include <memory>
#include <vector>

namespace orvik {

class MemoryDumpImage {
public:
    static constexpr size_t pageWords = 128;
    static constexpr size_t pageBytes = 2 * pageWords;

    MemoryDumpImage(uint16_t pages, uint16_t memoryType) : pageCount_(pages), memoryType_(memoryType) {}
    // A copy would refer to the padded pages of the original.
    MemoryDumpImage(const MemoryDumpImage&) = delete;
    MemoryDumpImage& operator=(const MemoryDumpImage&) = delete;
    MemoryDumpImage(MemoryDumpImage&&) = default;
    MemoryDumpImage& operator=(MemoryDumpImage&&) = default;

    // Takes the next page. Its bytes must outlive the image, as a stored packet's do; a
    // short page is copied and padded with zeros, one past the announced count is ignored.
    void addPage(WordView page);

    // The stored packet that announced the dump (not owned; null where none did).
    const RawPacket* headerPacket = nullptr;

    uint16_t pageCount() const { return pageCount_; }
    uint16_t memoryType() const { return memoryType_; }
    size_t pagesHeld() const { return pages_.size(); }
    // Every word of the announced pages; those beyond the pages held read as zero.
    size_t dataWordCount() const { return pageWords * pageCount(); }
    uint16_t dataWord(size_t k) const { return page(k / pageWords).wordOr(k % pageWords); }
    // Page p, a page of zeros where the file did not hold it.
    WordView page(size_t p) const
    {
        static constexpr std::array<uint8_t, pageBytes> zeroPage{};
        if (p < pagesHeld())
            return WordView(pages_[p], pageBytes);
        return p < pageCount() ? WordView(zeroPage.data(), zeroPage.size()) : WordView();
    }

    // The header and the pages held, one after the other in the archive's byte order:
    // storedByteCount() bytes, of which storedBytes builds the first `maxBytes`.
    size_t storedByteCount() const { return headerBytes + pageBytes * pagesHeld(); }
    std::vector<uint8_t> storedBytes(size_t maxBytes = SIZE_MAX) const;

private:
    static constexpr size_t headerBytes = 4;
    using Page = std::array<uint8_t, pageBytes>;

    uint16_t pageCount_;
    uint16_t memoryType_;
    std::vector<const uint8_t*> pages_; // the first byte of each page held
    std::vector<std::unique_ptr<Page>> paddedPages_;
};

} // namespace orvik
