#include "archive/NodeFacts.h"

#include "archive/OnBoardTime.h"

#include <cstdio>
#include <vector>

namespace orvik {

namespace {
std::string groupedDigits(uint64_t value)
{
    std::string digits = std::to_string(value);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ' ');
    return digits;
}

std::vector<std::string> factTexts(const NodeFacts& facts)
{
    std::vector<std::string> texts;
    if (facts.timeListEntry)
        texts.push_back(timeListNumberText(*facts.timeListEntry) + " in the time list");
    if (facts.ticks)
        texts.push_back("LOBT " + onBoardTimeText(*facts.ticks));
    if (facts.packetNumber) {
        std::string text = "packet " + groupedDigits(*facts.packetNumber);
        if (facts.fileOffset) {
            char offset[24];
            std::snprintf(offset, sizeof offset, "0x%llX", static_cast<unsigned long long>(*facts.fileOffset));
            text += std::string(" at offset ") + offset;
        }
        texts.push_back(std::move(text));
    }
    return texts;
}

std::string joined(const std::vector<std::string>& texts, const std::string& separator, std::string out = {})
{
    for (const std::string& text : texts)
        out += (out.empty() ? "" : separator) + text;
    return out;
}
} // namespace

NodeFacts nodeFacts(const ArchiveDocument& doc, NodeId node)
{
    NodeFacts facts;
    if (node == noNode || !doc.tree().contains(node))
        return facts;
    facts.timeListEntry = doc.timeListNodes().entryOf(node);
    const NodeWrapper& wrapper = doc.tree().wrapper(node);
    const RawPacket* packet = wrapper.packet();
    if (const MemoryDumpImage* dump = wrapper.record<MemoryDumpImage>())
        packet = dump->headerPacket;
    if (packet) {
        facts.ticks = packet->onBoardTicks();
        facts.packetNumber = doc.reader().packetNumber(*packet);
        facts.fileOffset = doc.reader().fileOffset(*packet);
    } else if (const SpectrumRecord* spectrum = wrapper.record<SpectrumRecord>()) {
        facts.ticks = ticksFromSignedCount(spectrum->timeHigh, spectrum->timeLow);
    } else if (wrapper.kind == NodeKind::Time) {
        facts.ticks = wrapper.ticks();
    }
    return facts;
}

std::string timeListNumberText(size_t entry)
{
    return groupedDigits(entry + 1).insert(0, 1, '#');
}

std::string onBoardTimeText(int64_t ticks)
{
    return formatOnBoardTime(ticks, timeNodeFormat);
}

std::string onBoardTimeOfDayText(int64_t ticks)
{
    return formatOnBoardTime(ticks, "%H:%M:%S");
}

std::string nodeToolTipText(const ArchiveDocument& doc, NodeId node)
{
    return joined(factTexts(nodeFacts(doc, node)), "\n");
}

std::string nodeHeaderText(const ArchiveDocument& doc, NodeId node)
{
    if (node == noNode || !doc.tree().contains(node))
        return {};
    return joined(factTexts(nodeFacts(doc, node)), " \u00B7 ", std::string(nodeKindName(doc.tree().kind(node))));
}

} // namespace orvik
