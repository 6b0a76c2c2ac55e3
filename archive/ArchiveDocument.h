#pragma once
// An opened archive as the main window shows it: the reader and its packets,
// the category tree, the time list, the packet statistics and the status texts.
// It runs every step of an open that does not touch a widget.

#include "archive/CategoryTree.h"
#include "archive/ESAPacket.h"
#include "archive/PacketClassification.h"
#include "archive/ScienceStream.h"
#include "archive/TimeList.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace orvik {

class ArchiveDocument {
public:
    static constexpr const char* applicationCaption = "ORVIK-EGSE";

    ArchiveDocument();

    // Opens `fileName` and rebuilds everything from it. False when the file cannot
    // be opened or `progress` cancelled the open; the previous file's packets are gone
    // then, and so is everything that referred to them.
    bool open(const std::string& fileName, const ProgressFn& progress = {});
    // Whether the last open was cancelled (rather than failed).
    bool cancelled() const { return cancelled_; }

    const ESAPacket& reader() const { return reader_; }
    const CategoryTree& tree() const { return tree_; }
    // Every non-group node, in the order the nodes were added.
    const TimeList& timeListNodes() const { return timeListNodes_; }
    const PacketStatistics& packetStatistics() const { return packetStatistics_; }
    uint64_t unknownCount() const { return unknownCount_; }
    uint64_t datasetCounter() const { return datasetCounter_; }
    bool scienceAssembled() const { return scienceAssembled_; }
    // Texts of the three status-bar panels: packets, unknown, missing.
    const std::array<std::string, 3>& statusPanels() const { return statusPanels_; }
    const std::string& caption() const { return caption_; }
    // What went wrong in the last open without stopping it (a memory dump cut short...).
    const std::vector<std::string>& warnings() const { return warnings_; }
    // Why the last open failed.
    const std::string& openError() const { return reader_.openError(); }

    NodeId housekeepingNode() const { return housekeepingNode_; }
    NodeId systemNode() const { return systemNode_; }
    NodeId gcNode() const { return gcNode_; }
    NodeId gcmsNode() const { return gcmsNode_; }
    NodeId msNode() const { return msNode_; }

    // The node on display; none after every open.
    NodeId currentNode = noNode;

private:
    void reset();
    bool closed();
    bool cancel();
    void buildGroupNodes();
    bool classifyPackets(const ProgressFn& progress);
    size_t assembleMemoryDump(size_t i);
    void assembleScienceStream(size_t i);

    ESAPacket reader_;
    CategoryTree tree_;
    TimeList timeListNodes_;
    PacketStatistics packetStatistics_;
    uint64_t unknownCount_ = 0;
    uint64_t datasetCounter_ = 0;
    bool scienceAssembled_ = false;
    bool cancelled_ = false;
    std::array<std::string, 3> statusPanels_;
    std::string caption_ = applicationCaption;
    std::vector<std::string> warnings_;
    // The assembled science stream, in which the spectra read their samples.
    std::unique_ptr<uint8_t[], AssembledStream::Free> scienceStream_;
    NodeId housekeepingNode_ = noNode, systemNode_ = noNode, gcNode_ = noNode, gcmsNode_ = noNode,
           msNode_ = noNode;
};

} // namespace orvik
