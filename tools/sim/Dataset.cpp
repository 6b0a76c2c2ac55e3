#include "tools/sim/Dataset.h"

#include "tools/sim/Instrument.h"
#include "tools/sim/Spectra.h"

namespace orvik::sim {

namespace {

constexpr uint32_t kStepTicks = 1950; // one GC duration step, 2 × 640/21 s

} // namespace

size_t DatasetPlan::streamWords() const
{
    size_t words = telecommandRecordWords(startTelecommand.size()) + kConfigurationRecordWords + kTimeRecordWords
                   + kParameterRecordWords + kHousekeepingRecordWords;
    for (const Segment& segment : segments)
        words += (segment.gcSweeps + segment.msSweeps) * kSweepRecordWords + spectrumRecordWords(segment.samples);
    return words;
}

uint32_t DatasetPlan::durationTicks() const
{
    uint32_t ticks = 0;
    for (const Segment& segment : segments)
        ticks += segment.ticks;
    return ticks;
}

DatasetPlan planDataset(Random& random, DatasetKind kind, uint16_t source, bool highResolution)
{
    DatasetPlan plan;
    plan.kind = kind;
    // A GCMS run feeds the GC's effluent to the MS, so both take the same source.
    plan.msSource = kind == DatasetKind::Gc ? kSourceCalibrationGas : source;
    plan.gcSource = kind == DatasetKind::Ms ? kSourceCalibrationGas : source;
    const auto steps = static_cast<unsigned>(random.between(5, 9));
    plan.configuration = makeRunConfiguration(random, plan.msSource, plan.gcSource, highResolution, steps);

    const unsigned msSampleCount = msSamples(highResolution);
    const uint32_t runTicks = steps * kStepTicks;
    unsigned spectra = 0;
    switch (kind) {
    case DatasetKind::Ms:
        spectra = static_cast<unsigned>(random.between(3, 5));
        for (unsigned i = 0; i < spectra; ++i)
            plan.segments.push_back({RecordTag::MassSpectrum, msSampleCount, 0, static_cast<unsigned>(random.between(1, 2)),
                                     static_cast<uint32_t>(random.between(40, 90)) * kTicksPerSecond});
        break;
    case DatasetKind::Gc:
        spectra = 1;
        plan.segments.push_back({RecordTag::Chromatogram, chromatogramSamples(steps), steps, 0, runTicks});
        break;
    case DatasetKind::GcMs:
        spectra = static_cast<unsigned>(random.between(3, 5));
        for (unsigned i = 0; i < spectra; ++i)
            plan.segments.push_back({RecordTag::MassSpectrum, msSampleCount, 1, 1, runTicks / (spectra + 1)});
        plan.segments.push_back({RecordTag::Chromatogram, chromatogramSamples(steps), 1, 0,
                                 runTicks - spectra * (runTicks / (spectra + 1))});
        ++spectra;
        break;
    }
    plan.startTelecommand = startActionTelecommand(kind, static_cast<uint16_t>(spectra), source);
    return plan;
}

} // namespace orvik::sim
