// The program's version information as constant data in its executable, where
// fileVersionOf finds it. Built into every executable that reads its own version.

#include "OrvikVersion.h"
#include "reports/VersionBlock.h"

namespace {
constexpr orvik::reports::VersionInfo info{
    .fileVersion = {ORVIK_VERSION_MAJOR, ORVIK_VERSION_MINOR, ORVIK_VERSION_PATCH, ORVIK_VERSION_TWEAK},
    .productVersion = {ORVIK_PRODUCT_VERSION_MAJOR, ORVIK_PRODUCT_VERSION_MINOR, ORVIK_PRODUCT_VERSION_PATCH,
                       ORVIK_PRODUCT_VERSION_TWEAK},
    .fileVersionText = ORVIK_FILE_VERSION,
    .fileDescription = ORVIK_FILE_DESCRIPTION,
    .productVersionText = ORVIK_PRODUCT_VERSION,
};
constexpr orvik::reports::VersionBlockWriter block(info);

constexpr std::array<uint8_t, block.size()> blockBytes()
{
    std::array<uint8_t, block.size()> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = block.bytes()[i];
    return bytes;
}
} // namespace

// Nothing refers to it: it is kept for the readers of the executable file.
extern const std::array<uint8_t, block.size()> orvikVersionBlock;
[[gnu::used]] alignas(4) const std::array<uint8_t, block.size()> orvikVersionBlock = blockBytes();
