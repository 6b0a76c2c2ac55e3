#include "tools/sim/Configuration.h"

#include "tools/sim/Instrument.h"

#include <algorithm>

namespace orvik::sim {

namespace {

constexpr uint16_t kYes = 0xFFFF;

// Four different columns (0..7) on the four DAC channels, one nibble each.
uint16_t chooseDacChannels(Random& random)
{
    std::array<uint16_t, 8> columns{0, 1, 2, 3, 4, 5, 6, 7};
    for (size_t i = 0; i < 4; ++i)
        std::swap(columns[i], columns[i + random.below(static_cast<uint32_t>(columns.size() - i))]);
    return static_cast<uint16_t>(columns[0] | columns[1] << 4 | columns[2] << 8 | columns[3] << 12);
}

} // namespace

DeviceParameters makeDeviceParameters(Random& random)
{
    DeviceParameters p;
    for (size_t i = 0; i < p.tpstPositions.size(); ++i)
        p.tpstPositions[i] = static_cast<uint16_t>(kTpstPositions[i] + random.between(-6, 6));
    p.tpstControl = {0x0000 /* update backup RAM */, 0x0000, 15000 /* timeout, ms */, kYes /* calibrate at boot */};
    // Eight oven steps rising to 600, pipe heater cycles and decay, step time.
    const uint16_t steps[8] = {100, 150, 200, 250, 300, 400, 500, 600};
    std::copy(std::begin(steps), std::end(steps), p.oven.begin());
    p.oven[8] = static_cast<uint16_t>(random.between(2, 5));
    p.oven[9] = static_cast<uint16_t>(random.between(60, 180));
    p.oven[10] = static_cast<uint16_t>(random.between(20, 40));
    return p;
}

ExperimentParameters makeExperimentParameters(Random& random)
{
    ExperimentParameters p;
    p.ms[0] = 16;            // spectra depth in units of 8 k
    p.ms[3] = kYes;          // multi mode
    p.ms[4] = 600;           // timeout
    p.ms[6] = static_cast<uint16_t>(0x80 + random.below(0x20)); // R2 correction
    p.ms[7] = static_cast<uint16_t>(0x68 + random.below(0x20)); // R2_4 correction
    p.ms[8] = static_cast<uint16_t>(0x38 + random.below(0x10)); // deflection x
    p.ms[9] = static_cast<uint16_t>(0x34 + random.below(0x10)); // deflection y
    const uint16_t timing[5] = {12, 40, 55, 80, 96};            // t1, t3 .. t6
    std::copy(std::begin(timing), std::end(timing), p.ms.begin() + 10);
    p.ms[16] = 10;           // sampling delay in 32 us steps
    p.ms[17] = static_cast<uint16_t>(msSamples(true));
    for (size_t column = 0; column < 8; ++column)
        p.gc[column] = static_cast<uint16_t>(random.between(40, 160)); // column set points
    p.gc[8] = 0x0400;
    p.gc[9] = static_cast<uint16_t>(random.between(20, 40) << 8 | random.between(30, 90)); // GC | Tenax heating, s
    return p;
}

uint16_t tpstPositionFor(uint16_t sampleSource)
{
    switch (sampleSource) {
    case kSourceOven: return 2;              // main terminal
    case kSourceSniffingOrTenax: return 0;   // open
    default: return 1;                       // contacts closed
    }
}

RunConfiguration makeRunConfiguration(Random& random, uint16_t msSource, uint16_t gcSource, bool highResolution,
                                      unsigned durationSteps)
{
    RunConfiguration c;
    c.tpst = {0 /* drive to a position */, 0 /* by identifier */, tpstPositionFor(msSource), 0, 0,
              static_cast<uint16_t>(random.between(12, 30))};
    c.ms = {kYes /* HK sweeping */,
            static_cast<uint16_t>(random.chance(0.5) ? kYes : 0) /* accumulate */,
            static_cast<uint16_t>(1u << random.below(3)) /* cathode */,
            static_cast<uint16_t>(0x0100 + random.below(0x40)) /* emission current */,
            static_cast<uint16_t>(0x0C80 + random.below(0x80)) /* detector voltage */,
            static_cast<uint16_t>(highResolution ? kYes : 0),
            static_cast<uint16_t>(highResolution ? kYes : 0) /* 3.9 kHz with high resolution */,
            0,
            msSource};
    c.gc = {kYes /* HK sweeping */,
            0,
            static_cast<uint16_t>(durationSteps & 0x1F),
            static_cast<uint16_t>(random.chance(0.5) ? kYes : 0) /* He tank */,
            static_cast<uint16_t>(random.between(200, 900)) /* injection, ms */,
            gcSource,
            chooseDacChannels(random),
            static_cast<uint16_t>(random.between(0x60, 0xC0)) /* head pressure */};
    return c;
}

std::array<uint16_t, kParameterWords> parameterRecord(const DeviceParameters& device, const ExperimentParameters& experiment)
{
    std::array<uint16_t, kParameterWords> words{};
    auto out = words.begin();
    out = std::copy(device.tpstPositions.begin(), device.tpstPositions.end(), out);
    out = std::copy(device.tpstControl.begin(), device.tpstControl.end(), out);
    out = std::copy(device.oven.begin(), device.oven.end(), out);
    out = std::copy(experiment.ms.begin(), experiment.ms.end(), out);
    std::copy(experiment.gc.begin(), experiment.gc.end(), out);
    return words;
}

std::array<uint16_t, kConfigurationWords> configurationRecord(const RunConfiguration& configuration)
{
    std::array<uint16_t, kConfigurationWords> words{};
    std::copy(configuration.tpst.begin(), configuration.tpst.end(), words.begin());
    std::copy(configuration.ms.begin(), configuration.ms.end(), words.begin() + 30);
    std::copy(configuration.gc.begin(), configuration.gc.end(), words.begin() + 60);
    return words;
}

} // namespace orvik::sim
