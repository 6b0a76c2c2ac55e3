#pragma once
// What one stored packet is: foreign, regular housekeeping, or one of the
// instrument's packet categories, and the per-category packet counts.

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

struct PacketStatistics {
    static constexpr std::array<std::string_view, Category::count> rowNames = {
        "Empty packets", "Science Parameter", "Science Data", "Internal HK", "Dev parameter",
        "GC/MS parameter", "Test results", "Error messages", "TPST report", "Memory Dump",
        "Raw Data", "CSIB CGF", "TC Execution Report"};
    std::array<int32_t, Category::count> counts{};

    void reset() { counts.fill(0); }
};

} // namespace orvik
