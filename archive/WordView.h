#pragma once
// Bounds-aware access to 16-bit words stored least significant byte first.
// Archive bytes are untrusted: a word the block does not hold reads as absent.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvik {

inline uint16_t readLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline void writeLe16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>(v >> 8);
}

class WordView {
public:
    WordView() = default;
    WordView(const uint8_t* bytes, size_t byteCount) : bytes_(bytes), size_(bytes ? byteCount : 0) {}

    // Number of complete words held; a trailing odd byte is not a word.
    size_t wordCount() const { return size_ / 2; }
    bool empty() const { return wordCount() == 0; }
    bool has(size_t k) const { return k < wordCount(); }

    std::optional<uint16_t> word(size_t k) const
    {
        if (!has(k))
            return std::nullopt;
        return readLe16(bytes_ + 2 * k);
    }
    // The word, or `absent` where the block does not hold it.
    uint16_t wordOr(size_t k, uint16_t absent = 0) const { return has(k) ? readLe16(bytes_ + 2 * k) : absent; }

    // The block that starts at word k (empty when k lies beyond the end).
    WordView from(size_t k) const
    {
        if (2 * k >= size_)
            return {};
        return WordView(bytes_ + 2 * k, size_ - 2 * k);
    }
    // At most n words from word k on.
    WordView slice(size_t k, size_t n) const
    {
        WordView v = from(k);
        if (v.size_ > 2 * n)
            v.size_ = 2 * n;
        return v;
    }

    const uint8_t* bytes() const { return bytes_; }
    size_t byteCount() const { return size_; }

private:
    const uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
};

} // namespace orvik
