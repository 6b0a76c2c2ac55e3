#pragma once
// The raw view of a node: the bytes it stands for as a classic hex dump (offset,
// 16 bytes in hex, their ASCII), under the decoded header of a packet or the
// leading fields of a record. The window's "Raw" page and orvik-dump --raw show it.

#include "archive/CategoryTree.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvik::display {

struct RawField {
    std::string name;
    std::string value; // "-" where the bytes do not reach the field
    bool operator==(const RawField&) const = default;
};

struct RawView {
    // What the bytes are ("Packet, 52 bytes"), or why there are none.
    std::string note;
    std::vector<RawField> header;
    std::vector<std::string> dump;
};

// One line per 16 bytes: "00000010  CF 1A 1D FC 11 0F 00 00  29 00 00 00 03 00 00 00  |........).......|".
std::vector<std::string> hexDump(const uint8_t* bytes, size_t size);

// A stored packet: its header fields as the reader and the classification read them.
// The dump stops after `maxBytes` (a memory dump may hold 16 MiB), and the note says so.
RawView rawPacketView(const RawPacket& packet, size_t maxBytes = SIZE_MAX);
// The chosen node: its packet, the record it owns, or a note for nodes without bytes (noNode: none chosen).
RawView rawNodeView(const CategoryTree& tree, NodeId node, size_t maxBytes = SIZE_MAX);

// The note, the header as "Name  value" lines, a blank line and the dump (as orvik-dump prints it).
std::string rawViewText(const RawView& view);

} // namespace orvik::display
