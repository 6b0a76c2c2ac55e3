#include "PacketClassification.h"

namespace orvik {

PacketClass classifyPacket(const RawPacket& packet)
{
    if (packet.processId() != instrumentProcessId)
        return {PacketClass::Foreign, 0};
    if (packet.serviceType() == regularHousekeepingServiceType)
        return {PacketClass::RegularHousekeeping, 0};
    const auto category = packet.categoryWord();
    if (!category)
        return {PacketClass::Unrecognised, -1};
    const int16_t c = *category;
    const bool recognised = (c >= Category::ScienceData && c < Category::count) || c == silentCategory;
    return {recognised ? PacketClass::Categorised : PacketClass::Unrecognised, c};
}

} // namespace orvik
