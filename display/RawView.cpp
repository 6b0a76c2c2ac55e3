#include "display/RawView.h"

#include "archive/PacketClassification.h"
#include "display/WordFormat.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <type_traits>

namespace orvik::display {

namespace {

constexpr size_t bytesPerLine = 16;

std::string numberOr(std::optional<int> value)
{
    return orDash(value, [](int v) { return std::to_string(v); });
}

std::string identificationText(std::optional<uint16_t> word)
{
    if (!word)
        return "-";
    return hex4(*word) + " (process identifier " + std::to_string((*word & 0x07F0) >> 4) +
           ", data-field header flag " + ((*word & 0x0800) ? "1" : "0") + ")";
}

std::string categoryText(std::optional<int16_t> category)
{
    if (!category)
        return "-";
    std::string text = hex4(uint16_t(*category)) + " (" + std::to_string(*category);
    if (*category >= 0 && *category < Category::count)
        text += ", " + std::string(categories[size_t(*category)].statisticsRow);
    return text + ")";
}

// The dump stops after `maxBytes`, and the note says so; `bytes` holds at least that many of the `size`.
RawView bytesView(std::string note, std::vector<RawField> header, const uint8_t* bytes, size_t size,
                  size_t maxBytes)
{
    if (size > maxBytes)
        note += " (the first " + std::to_string(maxBytes) + " bytes shown)";
    return {std::move(note), std::move(header), hexDump(bytes, std::min(size, maxBytes))};
}

template <class Record>
std::optional<RawView> fixedRecordView(const NodeWrapper& wrapper, const char* name, size_t maxBytes)
{
    const Record* record = wrapper.record<Record>();
    if (!record)
        return std::nullopt;
    std::vector<RawField> header{{"Words", std::to_string(Record::wordCount)}};
    if constexpr (std::is_same_v<Record, TelecommandRecord>)
        header.push_back({"Telecommand words", std::to_string(record->count())});
    return bytesView(std::string(name) + ", " + std::to_string(Record::wordCount) + " words", std::move(header),
                     record->bytes.data(), record->bytes.size(), maxBytes);
}

RawView spectrumView(const SpectrumRecord& record, size_t maxBytes)
{
    const char* source = record.tag == msTag ? "MS" : record.tag == gcTag ? "GC" : "unknown source";
    std::vector<RawField> header{{"Tag", hex4(record.tag) + " (" + source + ")"},
                                 {"Samples", std::to_string(record.sampleCount)},
                                 {"Time words", hex4(record.timeHigh) + " " + hex4(record.timeLow)}};
    if (record.tag == msTag)
        header.push_back({"CSIB word", hex4(record.csibWord)});
    return bytesView(std::string("Spectrum record (") + source + "): the samples", std::move(header),
                     record.samples.bytes(), record.samples.byteCount(), maxBytes);
}

RawView memoryDumpView(const MemoryDumpImage& image, size_t maxBytes)
{
    const std::string pages = std::to_string(image.pageCount());
    const std::string held = image.pagesHeld() == image.pageCount()
                                 ? pages + " pages of 128 words"
                                 : std::to_string(image.pagesHeld()) + " of the " + pages +
                                       " pages of 128 words announced (the file held no more; they read as zero)";
    const std::vector<uint8_t> bytes = image.storedBytes(maxBytes);
    return bytesView("Memory dump: page count, memory type, then " + held,
                     {{"Pages", pages}, {"Memory type", hex4(image.memoryType())}}, bytes.data(),
                     image.storedByteCount(), maxBytes);
}

} // namespace

std::vector<std::string> hexDump(const uint8_t* bytes, size_t size)
{
    std::vector<std::string> lines;
    lines.reserve((size + bytesPerLine - 1) / bytesPerLine);
    for (size_t offset = 0; offset < size; offset += bytesPerLine) {
        const size_t n = std::min(bytesPerLine, size - offset);
        char field[24]; // room for a 64-bit offset
        std::snprintf(field, sizeof field, "%08zX  ", offset);
        std::string line = field;
        std::string ascii;
        for (size_t i = 0; i < bytesPerLine; ++i) {
            if (i < n) {
                const uint8_t b = bytes[offset + i];
                std::snprintf(field, sizeof field, "%02X ", b);
                line += field;
                ascii += (b >= 0x20 && b < 0x7F) ? char(b) : '.';
            } else {
                line += "   ";
            }
            if (i == bytesPerLine / 2 - 1)
                line += ' ';
        }
        lines.push_back(line + " |" + ascii + "|");
    }
    return lines;
}

RawView rawPacketView(const RawPacket& packet, size_t maxBytes)
{
    const auto length = packet.wordAt(8);
    std::vector<RawField> header{
        {"Sync", hexWord(packet.wordAt(0)) + " " + hexWord(packet.wordAt(2))},
        {"Packet identification", identificationText(packet.wordAt(4))},
        {"Sequence control", hexWord(packet.wordAt(6))},
        {"Length", orDash(length, [](uint16_t n) { return std::to_string(n) + " (" + hex4(n) + ")"; })},
        {"Service type", numberOr(packet.serviceType())},
        {"Service subtype", numberOr(packet.serviceSubtype())},
        {"Category word", categoryText(packet.categoryWord())},
    };
    return bytesView("Packet, " + std::to_string(packet.size) + " bytes", std::move(header), packet.bytes,
                     packet.bytes ? packet.size : 0, maxBytes);
}

RawView rawNodeView(const CategoryTree& tree, NodeId node, size_t maxBytes)
{
    if (node == noNode || !tree.contains(node))
        return {"No node chosen", {}, {}};
    const NodeWrapper& wrapper = tree.wrapper(node);
    if (wrapper.kind == NodeKind::Group)
        return {"Group node: it holds no bytes of its own", {}, {}};
    if (wrapper.kind == NodeKind::Time)
        return {"Time node: it holds no bytes of its own", {}, {}};
    if (const RawPacket* packet = wrapper.packet())
        return rawPacketView(*packet, maxBytes);
    if (const SpectrumRecord* spectrum = wrapper.record<SpectrumRecord>())
        return spectrumView(*spectrum, maxBytes);
    if (const MemoryDumpImage* image = wrapper.record<MemoryDumpImage>())
        return memoryDumpView(*image, maxBytes);
    if (auto view = fixedRecordView<HkSweepRecord>(wrapper, "HK sweep record", maxBytes))
        return *view;
    if (auto view = fixedRecordView<CsibConfigRecord>(wrapper, "CSIB configuration record", maxBytes))
        return *view;
    if (auto view = fixedRecordView<CsibParameterRecord>(wrapper, "CSIB parameter record", maxBytes))
        return *view;
    if (auto view = fixedRecordView<FullHkRecord>(wrapper, "Full HK record", maxBytes))
        return *view;
    if (auto view = fixedRecordView<TelecommandRecord>(wrapper, "Telecommand record", maxBytes))
        return *view;
    return {"No stored bytes", {}, {}};
}

std::string rawViewText(const RawView& view)
{
    std::string text = view.note + '\n';
    size_t width = 0;
    for (const RawField& field : view.header)
        width = std::max(width, field.name.size());
    for (const RawField& field : view.header)
        text += field.name + std::string(width + 2 - field.name.size(), ' ') + field.value + '\n';
    if (!view.dump.empty())
        text += '\n';
    for (const std::string& line : view.dump)
        text += line + '\n';
    return text;
}

} // namespace orvik::display
