#include "archive/MemoryDumpImage.h"

#include <algorithm>

namespace orvik {

void MemoryDumpImage::addPage(WordView page)
{
    if (pagesHeld() >= pageCount())
        return;
    if (page.byteCount() >= pageBytes) {
        pages_.push_back(page.bytes());
        return;
    }
    const auto& padded = paddedPages_.emplace_back(std::make_unique<Page>());
    std::copy_n(page.bytes(), page.byteCount(), padded->data());
    pages_.push_back(padded->data());
}

std::vector<uint8_t> MemoryDumpImage::storedBytes(size_t maxBytes) const
{
    std::vector<uint8_t> bytes(headerBytes);
    writeLe16(bytes.data(), pageCount_);
    writeLe16(bytes.data() + 2, memoryType_);
    bytes.reserve(std::min(storedByteCount(), maxBytes));
    for (size_t p = 0; p < pagesHeld() && bytes.size() < maxBytes; ++p)
        bytes.insert(bytes.end(), pages_[p], pages_[p] + std::min(pageBytes, maxBytes - bytes.size()));
    bytes.resize(std::min(bytes.size(), maxBytes));
    return bytes;
}

} // namespace orvik
