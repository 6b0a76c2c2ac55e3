#pragma once
// The kinds of tree node, one entry each: the kind's number, the text every node
// of the kind shows where that text does not depend on the node, and the kind's
// name where that text is no name for it.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace orvik {

namespace NodeKind {
constexpr int16_t Spectrum = 2, InternalHk = 3, OvenTpstParameter = 4, GcMsParameter = 5, TestResults = 6,
                  ErrorMessage = 7, TpstReport = 8, ExecutionReport = 12, Group = 265, GcHkSweep = 266,
                  MsHkSweep = 267, CsibConfig = 268, MemoryDump = 269, RegularHk = 270, Time = 271,
                  Telecommand = 272, FullHk = 273, CsibParameter = 274;
} // namespace NodeKind

struct NodeKindEntry {
    int16_t kind;
    // The text of every node of the kind; empty where the node's payload or number makes it.
    std::string_view fixedText;
    // What the kind is called; empty where the fixed text says it.
    std::string_view name = {};
};

constexpr std::array<NodeKindEntry, 18> nodeKinds = {{
    {NodeKind::Spectrum, {}, "Spectrum"},
    {NodeKind::InternalHk, "Internal HK"},
    {NodeKind::OvenTpstParameter, "Oven/TPST Parameter"},
    {NodeKind::GcMsParameter, "GC/MS - Parameter"},
    {NodeKind::TestResults, "Test Results"},
    {NodeKind::ErrorMessage, "Error Message"},
    {NodeKind::TpstReport, "TPST Report"},
    {NodeKind::ExecutionReport, "Execution Report"},
    {NodeKind::Group, {}, "Group"},
    {NodeKind::GcHkSweep, {}, "GC HK Sweep"},
    {NodeKind::MsHkSweep, {}, "MS HK Sweep"},
    {NodeKind::CsibConfig, "CSIB(Cfg)"},
    {NodeKind::MemoryDump, {}, "Memory Dump"},
    {NodeKind::RegularHk, "Regular HK"},
    {NodeKind::Time, {}, "Time"},
    {NodeKind::Telecommand, "TC: ", "Telecommand"},
    {NodeKind::FullHk, "Full HK"},
    {NodeKind::CsibParameter, "CSIB(Par)"},
}};

// The kind's entry, or null for a number that is no kind. Node texts are made per
// node shown or searched, so the entry is found by index, not by a walk.
inline const NodeKindEntry* nodeKindEntry(int16_t kind)
{
    static constexpr auto index = [] {
        std::array<int8_t, 1 + std::ranges::max(nodeKinds, {}, &NodeKindEntry::kind).kind> at{};
        at.fill(-1);
        for (size_t i = 0; i < nodeKinds.size(); ++i)
            at[size_t(nodeKinds[i].kind)] = int8_t(i);
        return at;
    }();
    if (kind < 0 || size_t(kind) >= index.size() || index[size_t(kind)] < 0)
        return nullptr;
    return &nodeKinds[size_t(index[size_t(kind)])];
}

// The kind's name, or nothing for a number that is no kind.
inline std::string_view nodeKindName(int16_t kind)
{
    const NodeKindEntry* entry = nodeKindEntry(kind);
    if (!entry)
        return {};
    return entry->name.empty() ? entry->fixedText : entry->name;
}

} // namespace orvik
