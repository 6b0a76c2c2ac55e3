#pragma once
// Saving a memory dump: its data words (not the page count, not the memory
// type) as raw little-endian words or as one unsigned decimal number per line.

#include "archive/CategoryTree.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace orvik::reports {

enum class DumpFileFormat {
    Binary, // two bytes per word, least significant first, no header
    Text,   // "%u" and the platform's line end per word
};

// The dump a node holds, or null when the node is not a memory dump.
const MemoryDumpImage* memoryDumpOf(const CategoryTree& tree, NodeId node);

// Writes the dump's data words to a stream opened in the format's mode.
void writeMemoryDump(const MemoryDumpImage& image, DumpFileFormat format, std::ostream& out);

// Creates or replaces `file` with the dump. Empty on success, otherwise the sentence
// that tells the user which file failed and why; a file left incomplete by a failed
// write is removed, and the sentence says so.
std::string exportMemoryDump(const MemoryDumpImage& image, DumpFileFormat format, const std::filesystem::path& file);

} // namespace orvik::reports
