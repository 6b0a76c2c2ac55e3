#include "tools/sim/Campaign.h"

#include "tools/sim/Housekeeping.h"
#include "tools/sim/Pacer.h"
#include "tools/sim/Spectra.h"
#include "tools/sim/Telecommands.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace orvik::sim {

namespace {

constexpr uint8_t kInstrumentProcessId = 113;
constexpr uint8_t kHousekeepingPcat = 4;
constexpr uint8_t kSciencePcat = 12;
constexpr uint16_t kRegularHkStructure = 1812;
constexpr uint16_t kInternalHkStructure = 1813;
constexpr uint16_t kTransferStructure = 1820;
constexpr uint16_t kLastBlockNumber = 0xFFFE; // the ground sizes the stream as largest number + 1
constexpr unsigned kBlocksPerTick = 6;        // downlink share of the science stream
constexpr uint32_t kDumpPageTicks = kTicksPerSecond;

// Days from the on-board epoch 2003-01-01 to 2004-03-01. The on-board time is a signed count of
// 1/32 s, which runs out in February 2005, so the campaign starts in spring 2004.
constexpr uint32_t kCampaignStartDay = 425;
constexpr uint32_t kTicksPerDay = 86400 * kTicksPerSecond;

// Housekeeping every 4 s; very large archives sample faster so that their on-board times stay
// within the signed range.
uint32_t housekeepingPeriod(const std::optional<uint64_t>& targetBytes)
{
    constexpr uint32_t kDefault = 4 * kTicksPerSecond;
    constexpr double kDefaultLimit = 1.5 * (1ull << 30);
    if (!targetBytes || static_cast<double>(*targetBytes) <= kDefaultLimit)
        return kDefault;
    return std::max<uint32_t>(8, static_cast<uint32_t>(kDefault * kDefaultLimit / static_cast<double>(*targetBytes)));
}

struct ForeignSource {
    uint8_t processId;
    uint8_t pcat;
    uint8_t serviceType;
    uint8_t serviceSubtype;
    unsigned words;
};

// Other units on the same downlink: the lander's data management (telecommand verification,
// housekeeping) and two neighbouring instruments' events and housekeeping.
constexpr ForeignSource kForeignSources[] = {
    {16, 1, 1, 1, 2}, {16, 1, 1, 7, 2}, {16, 4, 3, 25, 40}, {34, 7, 5, 1, 6}, {54, 4, 3, 25, 24},
};

} // namespace

Campaign::Campaign(const CampaignSettings& settings, ArchiveWriter& writer, std::set<uint16_t> droppedBlocks,
                   Pacer* pacer)
    : settings_(settings)
    , writer_(writer)
    , dropped_(std::move(droppedBlocks))
    , pacer_(pacer)
    , random_(settings.seed)
{
    now_ = (kCampaignStartDay + random_.below(30)) * kTicksPerDay + random_.below(kTicksPerDay);
    hkPeriod_ = housekeepingPeriod(settings_.targetBytes);
    nextHk_ = now_ + hkPeriod_;
    sourceOffset_ = random_.below(3);
    firstBlock_ = settings_.firstBlock ? *settings_.firstBlock : static_cast<uint16_t>(random_.between(1, 2000));
    maxBlocks_ = firstBlock_ <= kLastBlockNumber ? kLastBlockNumber - firstBlock_ + 1u : 0u;
    device_ = makeDeviceParameters(random_);
    experiment_ = makeExperimentParameters(random_);
    lastConfiguration_ = makeRunConfiguration(random_, kSourceCalibrationGas, kSourceCalibrationGas, true, 5);
}

ScienceSummary Campaign::run()
{
    const std::vector<std::function<void()>> steps = {
        [this] { powerOn(); },
        [this] { checkOut(); },
        [this] { measure(); },
        [this] { dumpMemory(kMemoryMassMemory); },
        [this] { measure(); },
        [this] { dumpMemory(kMemoryGc); },
        [this] { reportEvents(); },
        [this] { measure(); },
        [this] { dumpMemory(kMemoryMsTdc); },
        [this] { measure(); },
        [this] { dumpMemory(kMemoryDpu); },
        [this] { rest(static_cast<uint32_t>(random_.between(120, 600)) * kTicksPerSecond); },
    };
    const bool repeats = settings_.targetBytes || pacer_;
    do {
        for (const auto& step : steps) {
            step();
            if (repeats && finished())
                break;
        }
    } while (repeats && !finished());
    if (stream_.wordsAppended() > 0) {
        stream_.finish();
        drainScience();
    }
    writer_.flush();
    return {firstBlock_, blocksSent_};
}

// ---------------------------------------------------------------- campaign steps

void Campaign::powerOn()
{
    state_.mode = InstrumentMode::Idle;
    state_.configValid = 0;
    // The boot banner goes out as a text packet, its first letters where the category would be.
    std::vector<uint16_t> banner{kTransferStructure};
    const auto text = packText("Orvik DPU SW 3.2 booted, EEPROM image OK");
    banner.insert(banner.end(), text.begin(), text.end());
    sendInstrument(banner);
    sendCategory(Category::Empty, {});
    // A transfer buffer read before the DPU initialised it: all ones.
    const std::vector<uint16_t> uninitialised(24, 0xFFFF);
    sendInstrument(uninitialised);
    advanceBy(30 * kTicksPerSecond);
}

void Campaign::checkOut()
{
    const auto gihk = internalHousekeepingTelecommand();
    uint32_t start = beginTelecommand();
    advanceBy(2 * kTicksPerSecond);
    sendCategory(Category::InternalHk, internalHousekeeping(state_, now_, random_), kInternalHkStructure);
    reportExecution(gihk, start);

    if (state_.ssvStatus == 0x4000) {
        const auto fssv = simpleTelecommand(TcCode::Fssv);
        start = beginTelecommand();
        advanceBy(3 * kTicksPerSecond);
        state_.ssvStatus = 0xC000;
        sendCategory(Category::ErrorMessage, errorMessageBody(kEventSoftware, kEventSsvOpened, 0));
        reportExecution(fssv, start);
    }

    constexpr uint16_t kAllUnits = 0x3F;
    const auto stst = selfTestTelecommand(kAllUnits);
    start = beginTelecommand();
    state_.mode = InstrumentMode::SelfTest;
    state_.ovenTargetC = 60.0;
    advanceBy(static_cast<uint32_t>(random_.between(60, 120)) * kTicksPerSecond);
    // Now and then the GC does not answer in time and fails its test.
    const bool gcFailed = random_.chance(0.25);
    const auto passed = static_cast<uint16_t>(gcFailed ? kAllUnits & ~0x02 : kAllUnits);
    sendCategory(Category::TestResults, testResultBody(random_, state_, kAllUnits, passed));
    if (gcFailed) {
        state_.lastError = kEventGcTimeout;
        sendCategory(Category::ErrorMessage, errorMessageBody(kEventSoftware, kEventGcTimeout, 0));
    }
    state_.mode = InstrumentMode::Idle;
    state_.ovenTargetC = state_.ambientC + 2.0;
    reportExecution(stst, start, !gcFailed);

    const auto udpt = updateDeviceParametersTelecommand();
    start = beginTelecommand();
    advanceBy(4 * kTicksPerSecond);
    reportExecution(udpt, start);

    struct TableRequest {
        TcCode code;
        Category reply;
        std::vector<uint16_t> body;
    };
    const auto configuration = configurationRecord(lastConfiguration_);
    const TableRequest requests[] = {
        {TcCode::Gdpt, Category::DeviceParameters, deviceParameterBody(device_)},
        {TcCode::Gtpt, Category::GcMsParameters, gcMsParameterBody(experiment_)},
        {TcCode::Gtib, Category::CsibConfiguration, {configuration.begin(), configuration.end()}},
    };
    for (const TableRequest& request : requests) {
        const auto tc = simpleTelecommand(request.code);
        start = beginTelecommand();
        advanceBy(2 * kTicksPerSecond);
        sendCategory(request.reply, request.body);
        reportExecution(tc, start);
    }
}

void Campaign::measure()
{
    // Kinds and sources take turns and resolutions alternate, so that one campaign shows them all.
    // The turn passes only when a measurement runs: pacing the stream must not favour the
    // smaller datasets.
    constexpr DatasetKind kRotation[] = {DatasetKind::Ms, DatasetKind::Gc, DatasetKind::Ms, DatasetKind::GcMs};
    const DatasetKind kind = kRotation[datasetsRun_ % std::size(kRotation)];
    const uint16_t source = kSampleSources[(datasetsRun_ + sourceOffset_) % 3];
    const DatasetPlan plan = planDataset(random_, kind, source, datasetsRun_ % 2 == 0);
    if (!scienceFits(plan.streamWords())) {
        rest(plan.durationTicks());
        return;
    }
    ++datasetsRun_;
    configure(plan);

    const bool ms = kind != DatasetKind::Gc;
    const bool gc = kind != DatasetKind::Ms;
    const RunConfiguration& configuration = plan.configuration;
    const uint32_t start = beginTelecommand();
    state_.mode = kind == DatasetKind::Ms ? InstrumentMode::Ms : kind == DatasetKind::Gc ? InstrumentMode::Gc : InstrumentMode::GcMs;
    state_.msPower = ms;
    state_.gcPower = gc;
    state_.sampleSource = ms ? plan.msSource : plan.gcSource;
    state_.pipeTargetC = 80.0;
    if (plan.msSource == kSourceOven || plan.gcSource == kSourceOven)
        state_.ovenTargetC = 350.0 + 200.0 * random_.uniform();
    if (gc) {
        state_.columnTargetC = 60.0 + 80.0 * random_.uniform();
        if (plan.gcSource == kSourceSniffingOrTenax)
            state_.tenaxTargetC = 240.0;
    }
    sendCategory(Category::ScienceParameter, scienceParameterBody(static_cast<uint16_t>(plan.segments.size()),
                                                                  state_.sampleSource, configuration.highResolution()));

    stream_.appendTelecommand(plan.startTelecommand);
    stream_.appendConfiguration(configurationRecord(configuration));
    stream_.appendTime(now_);
    stream_.appendParameters(parameterRecord(device_, experiment_));
    stream_.appendHousekeeping(fullHousekeeping(state_, now_, random_));
    for (const Segment& segment : plan.segments) {
        recordSegment(plan, segment);
        if (&segment == &plan.segments.front())
            sendCategory(Category::RawData, rawDataBody(random_));
    }

    if (gc)
        state_.he1Mbar -= 20.0 + 30.0 * random_.uniform();
    state_.mode = InstrumentMode::Idle;
    state_.msPower = state_.gcPower = false;
    state_.ovenTargetC = state_.columnTargetC = state_.tenaxTargetC = state_.ambientC + 2.0;
    state_.pipeTargetC = 30.0;
    reportExecution(plan.startTelecommand, start);
    drainScience();
}

void Campaign::configure(const DatasetPlan& plan)
{
    const RunConfiguration& configuration = plan.configuration;
    moveTappingStation(configuration);
    for (const auto& tc : {msConfigurationTelecommand(configuration), gcConfigurationTelecommand(configuration)}) {
        const uint32_t start = beginTelecommand();
        advanceBy(static_cast<uint32_t>(random_.between(1, 3)) * kTicksPerSecond);
        reportExecution(tc, start);
    }
    state_.configValid = 0x7;
    lastConfiguration_ = configuration;
}

void Campaign::moveTappingStation(const RunConfiguration& configuration)
{
    const auto cfts = tpstConfigurationTelecommand(configuration);
    const uint32_t start = beginTelecommand();
    // The table has an upper position between side terminal and lower; identifier 4 is the lower.
    const uint16_t id = configuration.tpst[2];
    const uint16_t target = device_.tpstPositions[id == 4 ? 5 : id];
    TpstMove move{state_.tpstPosition, target, rawOffsetScaled(state_.ovenC, 970.0, 0.14), 0, configuration.tpst};
    advanceBy(configuration.tpst[5] * kTicksPerSecond);
    state_.tpstPosition = target;
    move.ovenRawStop = rawOffsetScaled(state_.ovenC, 970.0, 0.14);
    sendCategory(Category::TpstReport, tpstReportBody(random_, move));
    reportExecution(cfts, start);
}

void Campaign::recordSegment(const DatasetPlan& plan, const Segment& segment)
{
    // Sweeps are spread over the segment; the spectrum closes it.
    const uint32_t segmentStart = now_;
    const unsigned sweeps = segment.gcSweeps + segment.msSweeps;
    for (unsigned i = 0; i < sweeps; ++i) {
        advanceTo(segmentStart + static_cast<uint32_t>(uint64_t{segment.ticks} * (i + 1) / (sweeps + 1)));
        if (i < segment.gcSweeps)
            stream_.appendSweep(RecordTag::GcSweep, gcSweep(state_, random_));
        else
            stream_.appendSweep(RecordTag::MsSweep, msSweep(state_, random_));
    }
    advanceTo(segmentStart + segment.ticks);
    const RunConfiguration& configuration = plan.configuration;
    if (segment.spectrum == RecordTag::MassSpectrum) {
        stream_.appendSpectrum(segment.spectrum, now_, massSpectrum(random_, configuration.highResolution(), plan.msSource));
        ++state_.msCycles;
    } else {
        stream_.appendSpectrum(segment.spectrum, now_,
                               chromatogram(random_, configuration.dacChannels(), segment.samples, plan.gcSource));
        ++state_.gcCycles;
    }
}

void Campaign::dumpMemory(uint16_t memoryType)
{
    const auto pages = static_cast<uint16_t>(random_.between(3, 6));
    const uint32_t address = memoryType == kMemoryMassMemory ? state_.massMemoryAddress : 0x8000u * random_.below(8);
    const auto mmld = memoryDumpTelecommand(memoryType, address, pages);
    const uint32_t start = beginTelecommand();
    advanceBy(2 * kTicksPerSecond);
    state_.dumping = true;
    sendCategory(Category::MemoryDump, memoryDumpHeaderBody(memoryType, pages, address));
    // The pages go out back to back, a page a second; housekeeping that falls due meanwhile goes
    // out between them, but no science block, which the ground would take for a page.
    std::vector<uint16_t> words;
    for (uint16_t page = 0; page < pages; ++page) {
        words.assign(1, kTransferStructure);
        const auto content = memoryDumpPage(random_, memoryType, page);
        words.insert(words.end(), content.begin(), content.end());
        send({kInstrumentProcessId, kSciencePcat, 20, 3, now_}, words);
        now_ += kDumpPageTicks;
        for (; nextHk_ <= now_; nextHk_ += hkPeriod_)
            sendHousekeeping();
    }
    state_.dumping = false;
    if (memoryType == kMemoryMassMemory)
        state_.massMemoryAddress += pages * 0x100u;
    reportExecution(mmld, start);
}

void Campaign::reportEvents()
{
    // A configuration found missing when a measurement was requested, a telecommand rejected for
    // its checksum, and a software event or two.
    advanceBy(static_cast<uint32_t>(random_.between(20, 60)) * kTicksPerSecond);
    sendCategory(Category::ErrorMessage, errorMessageBody(kEventConfiguration, static_cast<uint16_t>(random_.between(1, 5)), 0));
    advanceBy(static_cast<uint32_t>(random_.between(5, 30)) * kTicksPerSecond);
    state_.countTelecommand();
    sendCategory(Category::ErrorMessage,
                 errorMessageBody(kEventTelecommand, 0, static_cast<uint16_t>(state_.executedTcs + 1)));
    constexpr uint16_t kSoftwareEvents[] = {kEventSd2NotReady, kEventTpstTimeout, kEventEepromRefreshed, kEventTdcTimeout};
    const unsigned events = 1 + random_.below(2);
    for (unsigned i = 0; i < events; ++i) {
        advanceBy(static_cast<uint32_t>(random_.between(10, 90)) * kTicksPerSecond);
        state_.lastError = kSoftwareEvents[random_.below(4)];
        sendCategory(Category::ErrorMessage, errorMessageBody(kEventSoftware, state_.lastError, 0));
    }
    // A diagnostic packet of a category this ground software does not know.
    const uint16_t unknown[] = {kTransferStructure, 13, packetCounter_++, 0x0001, 0x00A5, 0x5A00};
    sendInstrument(unknown);
}

void Campaign::rest(uint32_t ticks)
{
    advanceBy(ticks);
}

// ---------------------------------------------------------------- telecommands

uint32_t Campaign::beginTelecommand()
{
    state_.countTelecommand();
    return now_;
}

void Campaign::reportExecution(std::span<const uint16_t> tc, uint32_t start, bool success)
{
    ++state_.executedTcs;
    ++state_.rercMessages;
    sendCategory(Category::ExecutionReport,
                 executionReportBody(start, now_, state_.executedTcs, success, tc));
}

// ---------------------------------------------------------------- time and downlink

void Campaign::advanceBy(uint32_t ticks)
{
    advanceTo(now_ + ticks);
}

void Campaign::advanceTo(uint32_t time)
{
    while (nextHk_ <= time) {
        now_ = nextHk_;
        housekeepingTick();
        nextHk_ += hkPeriod_;
    }
    now_ = std::max(now_, time);
}

void Campaign::housekeepingTick()
{
    state_.relax(static_cast<double>(hkPeriod_) / kTicksPerSecond);
    ++state_.cdmsStatus;
    sendHousekeeping();
    for (unsigned i = 0; i < kBlocksPerTick && stream_.hasFullBlock(); ++i)
        sendScienceBlock();
    if (random_.chance(0.04))
        sendForeign();
}

void Campaign::drainScience()
{
    while (stream_.hasFullBlock())
        advanceBy(hkPeriod_);
}

bool Campaign::scienceFits(size_t words) const
{
    const size_t blocks = stream_.blocksWith(words);
    if (blocks > maxBlocks_)
        return false;
    if (!settings_.targetBytes || stream_.wordsAppended() == 0)
        return true;
    // Keep the stream's share of the block numbers in step with the archive's share of its size.
    return static_cast<double>(blocks) * static_cast<double>(*settings_.targetBytes)
           <= static_cast<double>(maxBlocks_) * static_cast<double>(nominalBytes());
}

uint64_t Campaign::nominalBytes() const
{
    return writer_.bytesWritten() + writer_.bytesLost();
}

bool Campaign::sizeReached() const
{
    return writer_.bytesWritten() >= *settings_.targetBytes;
}

// Whether a repeating campaign has gone on long enough.
bool Campaign::finished() const
{
    return pacer_ ? pacer_->stopped() : sizeReached();
}

// ---------------------------------------------------------------- packets

void Campaign::send(const PacketHeader& header, std::span<const uint16_t> dataWords)
{
    if (pacer_)
        pacer_->beforePacket();
    writer_.writePacket(header, dataWords);
    maybeStray();
}

void Campaign::sendInstrument(std::span<const uint16_t> dataWords)
{
    send({kInstrumentProcessId, kSciencePcat, 20, 3, now_}, dataWords);
}

void Campaign::sendCategory(Category category, std::span<const uint16_t> body, uint16_t structureId)
{
    std::vector<uint16_t> words{structureId, static_cast<uint16_t>(category), packetCounter_++};
    words.insert(words.end(), body.begin(), body.end());
    sendInstrument(words);
}

void Campaign::sendCategory(Category category, std::span<const uint16_t> body)
{
    sendCategory(category, body, kTransferStructure);
}

void Campaign::sendHousekeeping()
{
    // Two samples a packet, half a period apart.
    std::vector<uint16_t> words{kRegularHkStructure};
    for (const uint32_t sampled : {now_ - hkPeriod_ / 2, now_}) {
        const auto half = housekeepingHalf(state_, sampled, random_);
        words.insert(words.end(), half.begin(), half.end());
    }
    send({kInstrumentProcessId, kHousekeepingPcat, 3, 25, now_}, words);
}

void Campaign::sendScienceBlock()
{
    const Block block = stream_.takeBlock();
    const auto number = static_cast<uint16_t>(firstBlock_ + blocksSent_);
    ++blocksSent_;
    const PacketHeader header{kInstrumentProcessId, kSciencePcat, 20, 3, now_};
    if (dropped_.contains(number)) {
        // The line noise that may follow a frame still comes, so that the rest of the archive is
        // the one written without losses.
        writer_.losePacket(header, 3 + kBlockWords);
        maybeStray();
        return;
    }
    std::vector<uint16_t> words{kTransferStructure, static_cast<uint16_t>(Category::ScienceData), number};
    words.insert(words.end(), block.begin(), block.end());
    send(header, words);
}

void Campaign::sendForeign()
{
    const ForeignSource& source = kForeignSources[random_.below(std::size(kForeignSources))];
    std::vector<uint16_t> words(source.words);
    for (auto& word : words)
        word = static_cast<uint16_t>(random_.next());
    send({source.processId, source.pcat, source.serviceType, source.serviceSubtype, now_}, words);
}

void Campaign::maybeStray()
{
    if (!random_.chance(0.012))
        return;
    // Line noise between frames, in whole words and never a sync word: the reader would take it
    // for the start of a frame and lose the frame that follows.
    std::vector<uint8_t> bytes(2 * (1 + random_.below(4)));
    for (size_t i = 0; i < bytes.size(); i += 2) {
        auto word = static_cast<uint16_t>(random_.next());
        if (word == kSyncWord1)
            word = 0;
        bytes[i] = static_cast<uint8_t>(word & 0xFF);
        bytes[i + 1] = static_cast<uint8_t>(word >> 8);
    }
    writer_.writeStray(bytes);
}

} // namespace orvik::sim
