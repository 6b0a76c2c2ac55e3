#pragma once
// What one stored packet is: foreign, regular housekeeping, or one of the
// instrument's packet categories, and the per-category packet counts.

#include "archive/NodeKinds.h"
#include "archive/RawPacket.h"

#include <array>
#include <string_view>

namespace orvik {

constexpr int instrumentProcessId = 113;
constexpr int regularHousekeepingServiceType = 3;
// A category value the instrument sends that is neither shown nor counted.
constexpr int16_t silentCategory = 0x4F72;

// Works out the class from the frame's bytes. Categories 0 and 1, values outside
// 0..12 (except the silent one), and packets too short to hold a category word
// are unrecognised.
inline PacketClass classifyPacket(const RawPacket& packet)
{
    PacketClass cls;
    cls.transfer = packet.serviceType() == 20 && packet.serviceSubtype() == 3;
    const auto category = packet.categoryWord();
    cls.hasCategoryWord = category.has_value();
    cls.category = category.value_or(0);
    if (packet.processId() != instrumentProcessId)
        cls.kind = PacketClass::Foreign;
    else if (packet.serviceType() == regularHousekeepingServiceType)
        cls.kind = PacketClass::RegularHousekeeping;
    else if (category && ((*category >= Category::ScienceData && *category < Category::count) ||
                          *category == silentCategory))
        cls.kind = PacketClass::Categorised;
    else
        cls.kind = PacketClass::Unrecognised;
    return cls;
}

// Where the walk over the packets puts one of a category.
enum class Placement : uint8_t {
    CountedOnly,   // counted in the statistics, no node
    Housekeeping,  // a node under "Housekeeping"
    System,        // a node under "System"
    MsAndGc,       // a node under "MS" and another under "GC"
    ScienceStream, // a block of the science stream, cut into datasets once all blocks are in
    MemoryDump,    // the header of a dump whose pages follow
};

struct CategoryEntry {
    std::string_view statisticsRow;
    Placement placement;
    int16_t nodeKind = 0; // of the node made, where one is made of the packet itself
};

// One entry per category value, in order.
constexpr std::array<CategoryEntry, Category::count> categories = {{
    {"Empty packets", Placement::CountedOnly},
    {"Science Parameter", Placement::CountedOnly},
    {"Science Data", Placement::ScienceStream},
    {"Internal HK", Placement::Housekeeping, NodeKind::InternalHk},
    {"Dev parameter", Placement::System, NodeKind::OvenTpstParameter},
    {"GC/MS parameter", Placement::MsAndGc, NodeKind::GcMsParameter},
    {"Test results", Placement::System, NodeKind::TestResults},
    {"Error messages", Placement::System, NodeKind::ErrorMessage},
    {"TPST report", Placement::System, NodeKind::TpstReport},
    {"Memory Dump", Placement::MemoryDump},
    {"Raw Data", Placement::CountedOnly},
    {"CSIB CGF", Placement::CountedOnly},
    {"TC Execution Report", Placement::System, NodeKind::ExecutionReport},
}};

struct PacketStatistics {
    std::array<uint64_t, Category::count> counts{};

    void reset() { counts.fill(0); }
};

} // namespace orvik
