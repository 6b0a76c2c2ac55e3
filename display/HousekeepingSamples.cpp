#include "display/HousekeepingSamples.h"

#include "archive/OnBoardTime.h"
#include "archive/PacketBlocks.h"
#include "display/HkParameter.h"

#include <algorithm>

namespace orvik::display {

namespace {
constexpr size_t lobtHighWord = 54, lobtLowWord = 55;

// The nodes under "Housekeeping", among which the "Regular HK" ones are.
const NodeRuns& housekeepingNodes(const ArchiveDocument& doc)
{
    static const NodeRuns none;
    return doc.housekeepingNode() == noNode ? none : doc.tree().children(doc.housekeepingNode());
}
} // namespace

std::vector<WordView> regularHkBlocks(const ArchiveDocument& doc)
{
    std::vector<WordView> blocks;
    const CategoryTree& tree = doc.tree();
    for (const NodeId node : housekeepingNodes(doc))
        if (tree.kind(node) == NodeKind::RegularHk)
            blocks.push_back(tree.wrapper(node).packet()->dataWords().from(RegularHkPacket::housekeeping));
    return blocks;
}

bool hasRegularHkBlocks(const ArchiveDocument& doc)
{
    const NodeRuns& nodes = housekeepingNodes(doc);
    return std::any_of(nodes.begin(), nodes.end(),
                       [&doc](NodeId node) { return doc.tree().kind(node) == NodeKind::RegularHk; });
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
