#include "exports/MzmlBinary.h"

#include <nettle/base64.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace orvik::exports {

std::span<const uint8_t> MzmlBinary::bytes(const std::vector<double>& values)
{
    raw_.resize(values.size() * sizeof(double));
    if constexpr (std::endian::native == std::endian::little) {
        if (!values.empty())
            std::memcpy(raw_.data(), values.data(), raw_.size());
    } else {
        for (size_t k = 0; k < values.size(); ++k) {
            const auto bits = std::bit_cast<uint64_t>(values[k]);
            for (size_t b = 0; b < 8; ++b)
                raw_[8 * k + b] = uint8_t(bits >> (8 * b));
        }
    }
    // An empty array stays empty text also compressed: readers inflate nothing into nothing.
    if (!zlib_ || raw_.empty())
        return raw_;
    // The fastest level: most of the size goes already at it, and the export keeps up with the disk.
    uLongf packedSize = compressBound(uLong(raw_.size()));
    packed_.resize(packedSize);
    if (compress2(packed_.data(), &packedSize, raw_.data(), uLong(raw_.size()), Z_BEST_SPEED) != Z_OK)
        packedSize = 0; // cannot happen with a buffer of compressBound's size
    packed_.resize(packedSize);
    return packed_;
}

size_t base64Length(size_t size)
{
    return BASE64_ENCODE_RAW_LENGTH(size);
}

void writeBase64(OutputFile& out, std::span<const uint8_t> bytes)
{
    // Whole groups of three bytes per piece, so that only the last piece is padded.
    constexpr size_t piece = 3 * 256 * 1024;
    for (size_t at = 0; at < bytes.size(); at += piece) {
        const size_t n = std::min(piece, bytes.size() - at);
        base64_encode_raw(out.append(BASE64_ENCODE_RAW_LENGTH(n)), n, bytes.data() + at);
    }
}

} // namespace orvik::exports
