#pragma once

#include "tools/sim/ArchiveWriter.h"
#include "tools/sim/Configuration.h"
#include "tools/sim/Dataset.h"
#include "tools/sim/Instrument.h"
#include "tools/sim/InstrumentPackets.h"
#include "tools/sim/Options.h"
#include "tools/sim/Random.h"
#include "tools/sim/ScienceStream.h"

#include <cstdint>
#include <set>
#include <span>
#include <vector>

namespace orvik::sim {

class Pacer;

// The science blocks a campaign sent (or would have sent, counting those the downlink lost).
struct ScienceSummary {
    uint16_t firstBlock = 0;
    uint32_t blocks = 0;
};

// Plays the instrument's measurement campaign onto an archive, in on-board time order:
// housekeeping every few seconds, telecommands with their execution reports, self-tests,
// parameter tables, tapping-station moves, memory dumps, events, and GC, MS and GCMS
// measurements whose science stream goes down in blocks between the other packets. Other units'
// packets and stray bytes appear now and then, as on the real downlink.
//
// Without a target size the campaign runs once (the demo archive); with one it repeats until the
// archive is that large. Sent in real time, it repeats until its pacer stops, and the target size
// is the size the run is expected to reach. A repeated campaign ends after a whole step, with the
// science stream sent to its end. Block numbers are 16-bit and the ground assembles one stream per
// file, so the stream is paced to fill at most the numbers from its first block to 0xFFFE over the
// whole archive; measurements that do not fit are replaced by idle time.
class Campaign {
public:
    Campaign(const CampaignSettings& settings, ArchiveWriter& writer, std::set<uint16_t> droppedBlocks,
             Pacer* pacer = nullptr);
    ScienceSummary run();

private:
    // Steps of one campaign.
    void powerOn();
    void checkOut();
    void measure();
    void dumpMemory(uint16_t memoryType);
    void reportEvents();
    void rest(uint32_t ticks);
    void configure(const DatasetPlan& plan);
    void recordSegment(const DatasetPlan& plan, const Segment& segment);
    void moveTappingStation(const RunConfiguration& configuration);

    // Telecommands: count on arrival, report execution when done.
    uint32_t beginTelecommand();
    void reportExecution(std::span<const uint16_t> tc, uint32_t start, bool success = true);

    // Time and downlink.
    void advanceBy(uint32_t ticks);
    void advanceTo(uint32_t time);
    void housekeepingTick();
    void drainScience();
    bool scienceFits(size_t words) const;
    bool sizeReached() const;
    bool finished() const;
    uint64_t nominalBytes() const;

    // Packets.
    void send(const PacketHeader& header, std::span<const uint16_t> dataWords);
    void sendInstrument(std::span<const uint16_t> dataWords);
    void sendCategory(Category category, std::span<const uint16_t> body, uint16_t structureId);
    void sendCategory(Category category, std::span<const uint16_t> body);
    void sendHousekeeping();
    void sendScienceBlock();
    void sendForeign();
    void maybeStray();

    CampaignSettings settings_;
    ArchiveWriter& writer_;
    std::set<uint16_t> dropped_;
    Pacer* pacer_;
    Random random_;

    InstrumentState state_;
    DeviceParameters device_;
    ExperimentParameters experiment_;
    RunConfiguration lastConfiguration_;
    ScienceStream stream_;

    uint32_t now_ = 0;
    uint32_t nextHk_ = 0;
    uint32_t hkPeriod_ = 0;
    uint16_t packetCounter_ = 0;
    unsigned datasetsRun_ = 0;
    unsigned sourceOffset_ = 0;
    uint16_t firstBlock_ = 0;
    uint32_t maxBlocks_ = 0;
    uint32_t blocksSent_ = 0;
};

} // namespace orvik::sim
