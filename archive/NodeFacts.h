#pragma once
// What tells apart nodes of the same text: a node's entry in the time list, its
// on-board time and the packet it came from, with the texts the window's tooltips
// and page header show for them. Worked out when asked for; nothing is kept per node.

#include "archive/ArchiveDocument.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvik {

struct NodeFacts {
    std::optional<size_t> timeListEntry; // 0-based; group nodes are not in the time list
    std::optional<int64_t> ticks;        // packets, spectra and time nodes carry one
    std::optional<size_t> packetNumber;  // index among the stored packets
    std::optional<uint64_t> fileOffset;  // where the packet's frame began in the file
};

// The facts of a node of the open archive; all empty for noNode.
NodeFacts nodeFacts(const ArchiveDocument& doc, NodeId node);

// Entry k as the time list numbers it: from 1, digits grouped by threes ("#12 345").
std::string timeListNumberText(size_t entry);
// An on-board time as the time nodes show it ("05-Mar-24 12:34:56,250").
std::string onBoardTimeText(int64_t ticks);
// Its time of day alone ("12:34:56,250"), for a narrow column.
std::string onBoardTimeOfDayText(int64_t ticks);

// The node's facts one per line: "#12 345 in the time list", "LOBT 05-Mar-24 12:34:56,250",
// "packet 45 678 at offset 0x1A2B3C"; only the lines the node has facts for.
std::string nodeToolTipText(const ArchiveDocument& doc, NodeId node);
// One line: the kind's name, then the facts, separated by middle dots; empty for noNode.
std::string nodeHeaderText(const ArchiveDocument& doc, NodeId node);

} // namespace orvik
