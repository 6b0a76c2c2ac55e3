#include "archive/ArchiveDocument.h"

namespace orvik {

namespace {
const std::array<std::string, 3> initialStatusPanels = {"Packets:", "Unknown:", "Missing:"};

// Reading the file is the first half of an open's progress, the walk the second.
ProgressFn half(const ProgressFn& progress, double offset)
{
    if (!progress)
        return {};
    return [progress, offset](double share) { return progress(offset + share / 2); };
}
} // namespace

ArchiveDocument::ArchiveDocument() : statusPanels_(initialStatusPanels)
{
    tree_.setNodeAddedHandler([this](NodeId id) {
        if (tree_.kind(id) != NodeKind::Group)
            timeListNodes_.append(id);
    });
}

void ArchiveDocument::reset()
{
    currentNode = noNode;
    timeListNodes_.clear();
    tree_.clear();
    scienceStream_.reset();
    housekeepingNode_ = systemNode_ = gcNode_ = gcmsNode_ = msNode_ = noNode;
    warnings_.clear();
    scienceAssembled_ = false;
    packetStatistics_.reset();
    unknownCount_ = 0;
    datasetCounter_ = 0;
}

bool ArchiveDocument::open(const std::string& fileName, const ProgressFn& progress)
{
    cancelled_ = false;
    reader_.openFile(fileName);
    // By now the previous file's packets are released: nothing may keep referring to them,
    // whether or not the new file opened.
    reset();
    if (!reader_.isOpen())
        return closed();
    caption_ = std::string(applicationCaption) + ": " + fileName;
    buildGroupNodes();

    reader_.setSyncWords(ESAPacket::defaultSyncWord1, ESAPacket::defaultSyncWord2);
    uint64_t counter = 0;
    if (!reader_.readPackets(counter, half(progress, 0)))
        return cancel();
    statusPanels_[0] = "Packets: " + std::to_string(counter);
    warnings_ = reader_.problems();
    if (reader_.packets().empty())
        warnings_.push_back("No packet was found in " + fileName +
                            ": it is not an archive of this kind, or it is empty");

    if (!classifyPackets(half(progress, 0.5)))
        return cancel();
    statusPanels_[1] = "Unknown: " + std::to_string(unknownCount_);
    if (const auto refused = tree_.refusalWarning())
        warnings_.push_back(*refused);
    return true;
}

bool ArchiveDocument::closed()
{
    statusPanels_ = initialStatusPanels;
    caption_ = applicationCaption;
    return false;
}

// A cancelled open leaves nothing open, as a failed one does: half an archive would pass for the whole.
bool ArchiveDocument::cancel()
{
    cancelled_ = true;
    reset();
    reader_.close();
    return closed();
}

void ArchiveDocument::buildGroupNodes()
{
    housekeepingNode_ = tree_.addGroup(noNode, "Housekeeping");
    systemNode_ = tree_.addGroup(noNode, "System");
    gcNode_ = tree_.addGroup(noNode, "GC");
    gcmsNode_ = tree_.addGroup(noNode, "GCMS");
    msNode_ = tree_.addGroup(noNode, "MS");
}

bool ArchiveDocument::classifyPackets(const ProgressFn& progress)
{
    const std::span<const RawPacket> packets = reader_.packets();
    tree_.reserve(tree_.size() + packets.size());
    constexpr size_t progressStep = 1 << 16;
    for (size_t i = 0, nextReport = 0; i < packets.size(); ++i) {
        // A memory dump moves i on by its pages: reports go by the packets passed, not by multiples.
        if (progress && i >= nextReport) {
            if (!progress(double(i) / double(packets.size())))
                return false;
            nextReport = i + progressStep;
        }
        const RawPacket& packet = packets[i];
        const PacketClass cls = packet.cls;
        if (const int row = cls.statisticsRow(); row >= 0)
            ++packetStatistics_.counts[size_t(row)];
        if (cls.kind == PacketClass::Unrecognised)
            ++unknownCount_;

        const auto add = [&](NodeId parent, int16_t kind) { tree_.addNode(parent, NodeWrapper(kind, &packet)); };
        if (cls.kind == PacketClass::RegularHousekeeping) {
            add(housekeepingNode_, NodeKind::RegularHk);
            continue;
        }
        // The silent category is categorised but has no entry: it makes nothing.
        if (cls.kind != PacketClass::Categorised || cls.category < 0 || cls.category >= Category::count)
            continue;
        const CategoryEntry& entry = categories[size_t(cls.category)];
        switch (entry.placement) {
        case Placement::CountedOnly: break;
        case Placement::Housekeeping: add(housekeepingNode_, entry.nodeKind); break;
        case Placement::System: add(systemNode_, entry.nodeKind); break;
        case Placement::MsAndGc:
            add(msNode_, entry.nodeKind);
            add(gcNode_, entry.nodeKind);
            break;
        case Placement::ScienceStream:
            if (!scienceAssembled_)
                assembleScienceStream(i);
            break;
        case Placement::MemoryDump: i = assembleMemoryDump(i); break;
        }
    }
    return !progress || progress(1.0);
}

// Gathers the pages that follow dump header i. Between pages only the service
// type and subtype count: any transfer packet is the next page, anything else is
// passed over unseen. A dump cut short by the end of the file keeps the pages
// found, the rest reads as zero, and the walk resumes after the last page found.
size_t ArchiveDocument::assembleMemoryDump(size_t i)
{
    const std::span<const RawPacket> packets = reader_.packets();
    const WordView header = packets[i].dataWords();
    const uint16_t pages = header.wordOr(4);
    auto image = std::make_unique<MemoryDumpImage>(pages, header.wordOr(3));
    image->headerPacket = &packets[i];
    size_t last = i;
    for (size_t j = i + 1; image->pagesHeld() < pages && j < packets.size(); ++j) {
        if (!packets[j].cls.transfer)
            continue;
        // Data words 1..128 are the page, read in place; a short packet leaves the rest of it zero.
        image->addPage(packets[j].dataWords().slice(1, MemoryDumpImage::pageWords));
        last = j;
    }
    const std::string text = memoryDumpNodeText(image->memoryType());
    if (image->pagesHeld() < pages)
        warnings_.push_back(text.substr(0, text.find_last_not_of(' ') + 1) + " (packet " + std::to_string(i) +
                            ") announces " + std::to_string(pages) + " pages, but the file ends after " +
                            std::to_string(image->pagesHeld()) + "; the missing pages read as zero.");
    tree_.addNode(systemNode_, NodeWrapper(NodeKind::MemoryDump, std::move(image)));
    return last;
}

void ArchiveDocument::assembleScienceStream(size_t i)
{
    scienceAssembled_ = true;
    AssembledStream stream = assembleStream(reader_.packets(), i);
    statusPanels_[2] = "Missing: " + std::to_string(stream.missing);
    const WordView words = stream.words();
    const auto cut = parseScienceStream(words, stream.missing != 0,
                                        {tree_, gcNode_, gcmsNode_, msNode_, datasetCounter_}, stream.blockSent);
    if (cut) {
        const uint16_t tag = words.wordOr(*cut);
        const char name[] = {char(tag >> 8), char(tag & 0xFF), 0};
        warnings_.push_back("The science stream ends inside a " + std::string(name) + " record, which starts at word " +
                            std::to_string(*cut % scienceBlockWords) + " of block " +
                            std::to_string(stream.blockNumber[*cut / scienceBlockWords]) +
                            "; that record is left out.");
    }
    scienceStream_ = std::move(stream.bytes);
}

} // namespace orvik
