#pragma once
// The texts of the GC report: the GC parameter block (10 words) and the GC
// configuration block (8 words, laid out as words 1..8 of a CFGC telecommand)
// of one dataset.

#include "archive/CategoryTree.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orvik::reports {

// The two blocks of one GC run, each within the record that holds it.
struct GcRun {
    WordView parameters;
    WordView configuration;
};

// The GC run of a group node: the GC parameter block of its "CSIB(Par)" child and
// the GC configuration block of its "CSIB(Cfg)" child, the first child of each kind. None when the node is no group or lacks either child.
std::optional<GcRun> gcRunOf(const CategoryTree& tree, NodeId group);

// The innermost group at or above `node` that holds a GC run, or noNode.
NodeId gcRunHolder(const CategoryTree& tree, NodeId node);

struct GcReportValues {
    // Device parameter
    std::string wordsToCopy;
    std::string timeToHeatTenax;
    std::vector<std::string> colTempSetPoints; // "Col: i - hhhh", one line per column
    // Device configuration
    std::string hkSweep;
    std::string duration;
    std::string injectionTime;
    std::string heTank;
    std::string source;
    std::string headPressure;
    std::array<std::string, 4> channels;
};

// A word the block does not hold is shown as "-". `decimalSeparator` is the user's.
GcReportValues gcReportValues(const GcRun& run, char decimalSeparator = '.');

} // namespace orvik::reports
