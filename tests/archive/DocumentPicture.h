#pragma once
// Everything an open document shows, written out as text: two documents with equal
// pictures show the same tree, time list, statistics, status texts and warnings,
// with the same packets, dump pages and spectrum samples behind the nodes.

#include "archive/ArchiveDocument.h"

#include <functional>
#include <sstream>
#include <string>

namespace orvik::test {

inline void pictureWords(std::ostream& out, WordView words)
{
    uint64_t hash = 1469598103934665603ull;
    for (size_t k = 0; k < words.wordCount(); ++k)
        hash = (hash ^ words.wordOr(k)) * 1099511628211ull;
    out << ' ' << words.wordCount() << ':' << std::hex << hash << std::dec;
}

inline std::string documentPicture(const ArchiveDocument& doc)
{
    std::ostringstream out;
    const CategoryTree& tree = doc.tree();
    const ESAPacket& reader = doc.reader();
    const std::function<void(NodeId, int)> walk = [&](NodeId parent, int depth) {
        for (NodeId id : tree.children(parent)) {
            out << std::string(size_t(depth), ' ') << id << ' ' << tree.kind(id) << ' ' << tree.text(id);
            const NodeWrapper& w = tree.wrapper(id);
            if (const RawPacket* p = w.packet())
                out << " packet " << reader.packetNumber(*p).value_or(SIZE_MAX) << " at "
                    << reader.fileOffset(*p).value_or(UINT64_MAX) << " size " << p->size;
            if (const auto* image = w.record<MemoryDumpImage>()) {
                out << " header " << reader.packetNumber(*image->headerPacket).value_or(SIZE_MAX);
                const std::vector<uint8_t> bytes = image->storedBytes();
                pictureWords(out, WordView(bytes.data(), bytes.size()));
            }
            if (const auto* spectrum = w.record<SpectrumRecord>())
                pictureWords(out, spectrum->samples);
            if (w.kind == NodeKind::Time)
                out << " ticks " << w.ticks();
            out << '\n';
            walk(id, depth + 1);
        }
    };
    walk(noNode, 0);
    out << "time list:";
    for (NodeId id : doc.timeListNodes())
        out << ' ' << id;
    out << "\nstatistics:";
    for (uint64_t count : doc.packetStatistics().counts)
        out << ' ' << count;
    out << "\nunknown " << doc.unknownCount() << " datasets " << doc.datasetCounter() << " packets " << reader.count()
        << "\npanels:";
    for (const std::string& panel : doc.statusPanels())
        out << " [" << panel << ']';
    out << "\ncaption " << doc.caption() << "\nwarnings:\n";
    for (const std::string& warning : doc.warnings())
        out << warning << '\n';
    return out.str();
}

} // namespace orvik::test
