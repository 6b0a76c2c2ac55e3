#pragma once

#include "tools/sim/Options.h"

#include <atomic>
#include <cstdint>
#include <ostream>
#include <set>

namespace orvik::sim {

struct ServeSummary {
    uint64_t packets = 0; // frames sent whole
    uint64_t bytes = 0;   // over all connections, garbage included
    uint64_t connections = 0;
    double seconds = 0;   // from the first connection
};

// --serve: listens, says where on `report` ("listening on 127.0.0.1:PORT"), and sends the campaign
// that appendArchive would append to the clients, one at a time, with the faults of `serve`. The
// campaign's clock starts with the first connection; an interrupt before it ends the run at once.
// With a copy file, each connection's end is reported ("connection K: sent B bytes").
ServeSummary serveArchive(const CampaignSettings& settings, const std::set<uint16_t>& missing, const RealTime& realTime,
                          const Serve& serve, const std::atomic<bool>& interrupted, std::ostream& report);

} // namespace orvik::sim
