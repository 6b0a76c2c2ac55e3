#include "display/HousekeepingSamples.h"

#include "archive/OnBoardTime.h"
#include "archive/PacketBlocks.h"
#include "display/HkParameter.h"

namespace orvik::display {

namespace {
constexpr size_t lobtHighWord = 54, lobtLowWord = 55;
}

std::vector<WordView> regularHkBlocks(const ArchiveDocument& doc)
{
    std::vector<WordView> blocks;
    if (doc.housekeepingNode() == noNode)
        return blocks;
    const CategoryTree& tree = doc.tree();
    for (const NodeId node : tree.children(doc.housekeepingNode()))
        if (tree.kind(node) == NodeKind::RegularHk)
            blocks.push_back(tree.wrapper(node).packet()->dataWords().from(RegularHkPacket::housekeeping));
    return blocks;
}

std::optional<int64_t> sampleTicks(WordView block, int half)
{
    const std::optional<uint16_t> high = halfWord(block, half, lobtHighWord);
    const std::optional<uint16_t> low = halfWord(block, half, lobtLowWord);
    if (!high || !low)
        return std::nullopt;
    return ticksFromUnsignedCount(*high, *low);
}

} // namespace orvik::display
