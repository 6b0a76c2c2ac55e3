#include "PacketClassification.h"

namespace orvik {

PacketClass classifyPacket(const RawPacket& packet)
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

} // namespace orvik
