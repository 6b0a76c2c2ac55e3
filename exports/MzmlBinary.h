#pragma once
// The binary arrays of mzML: 64-bit little-endian floats, zlib-compressed when asked,
// written as base64 text straight into the output buffer.

#include "exports/OutputFile.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvik::exports {

class MzmlBinary {
public:
    explicit MzmlBinary(bool zlib) : zlib_(zlib) {}

    // The bytes the array's base64 text encodes; valid until the next call.
    std::span<const uint8_t> bytes(const std::vector<double>& values);

private:
    bool zlib_;
    std::vector<uint8_t> raw_;
    std::vector<uint8_t> packed_;
};

// The length of the base64 text of `size` bytes.
size_t base64Length(size_t size);
// Writes the base64 text of `bytes` (no line breaks).
void writeBase64(OutputFile& out, std::span<const uint8_t> bytes);

} // namespace orvik::exports
