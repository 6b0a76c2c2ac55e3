#include "tools/sim/Housekeeping.h"

#include <algorithm>
#include <cmath>

namespace orvik::sim {

namespace {

constexpr double kKelvinOffset = 273.16;
constexpr size_t kColumns = 8;
// Columns sit at slightly different places in the GC oven.
constexpr double kColumnOffsetC[kColumns] = {0.0, 0.4, -0.3, 0.8, -0.6, 0.2, 1.1, -0.9};

// A reading with measurement noise of `sigma` in the physical unit.
double noisy(Random& random, double value, double sigma)
{
    return value + sigma * random.noise();
}

uint16_t statusWord1(const InstrumentState& s)
{
    const uint16_t powerSwitches = static_cast<uint16_t>(0x1 | (s.msPower ? 0x2 : 0) | (s.gcPower ? 0x4 : 0) | 0x8);
    return static_cast<uint16_t>(s.configValid << 13 | static_cast<uint16_t>(s.mode) << 8 | powerSwitches << 4
                                 | 0x0008 /* mass memory on */ | 0x0001 /* SD2 ready */);
}

uint16_t statusWord2(const InstrumentState& s)
{
    return static_cast<uint16_t>(s.ssvStatus | 0x0004 /* HK auto collection */ | (s.dumping ? 0x0002 : 0));
}

} // namespace

uint16_t rawUnsigned(double value)
{
    return static_cast<uint16_t>(std::clamp(std::floor(value + 0.5), 0.0, 65535.0));
}

uint16_t rawSigned(double value)
{
    const auto raw = static_cast<int32_t>(std::clamp(std::floor(value + 0.5), -32768.0, 32767.0));
    return static_cast<uint16_t>(raw & 0xFFFF);
}

uint16_t rawScaled(double value, double factor)
{
    return rawUnsigned(value / factor);
}

uint16_t rawKelvinScaled(double celsius, double factor)
{
    return rawUnsigned((celsius + kKelvinOffset) / factor);
}

uint16_t rawOffsetScaled(double value, double zero, double factor)
{
    return rawUnsigned(value / factor + zero);
}

std::array<uint16_t, kHkHalfWords> housekeepingHalf(const InstrumentState& s, uint32_t obt, Random& random)
{
    const double ms = s.msPower ? 1.0 : 0.0;
    const double gc = s.gcPower ? 1.0 : 0.0;
    const bool ovenHeating = s.ovenTargetC > s.ovenC + 5.0;
    std::array<uint16_t, kHkHalfWords> w{};

    w[0] = rawSigned(noisy(random, 520.0 + 180.0 * ms + 120.0 * gc, 3.0) / 0.183);  // +5 V current, mA
    w[1] = rawSigned(noisy(random, 45.0 + 30.0 * ms, 0.5) / 0.0183);                // -5 V current
    w[2] = rawSigned(noisy(random, 90.0 + 40.0 * ms + 60.0 * gc, 1.0) / 0.0915);    // +12 V current
    w[3] = rawSigned(noisy(random, 35.0 + 25.0 * ms, 0.4) / 0.0183);                // -12 V current
    w[4] = rawSigned(noisy(random, 6.5 + 5.0 * ms + 4.0 * gc + (ovenHeating ? 12.0 : 0.0), 0.1) / 0.00146); // W
    w[5] = rawUnsigned(noisy(random, 2048.0 + 300.0 * gc, 4.0));                    // GC ADC input
    w[6] = rawUnsigned(noisy(random, 2048.0 + 500.0 * ms, 4.0));                    // MS ADC input
    for (size_t channel = 7; channel <= 14; ++channel)                                 // DPU multiplexer
        w[channel] = rawUnsigned(noisy(random, 1024.0 + 144.0 * static_cast<double>(channel - 7), 2.0));
    w[15] = rawSigned(noisy(random, 5.02, 0.004) / 0.000732);                       // DPU voltage
    w[16] = rawScaled(s.he1Mbar, 16.0);
    w[17] = rawScaled(s.he2Mbar, 16.0);
    w[18] = rawUnsigned(noisy(random, ms > 0 ? 1210.0 : 42.0, 3.0));                // ion source pressure
    w[19] = rawKelvinScaled(noisy(random, s.ambientC + 12.0, 0.05), 0.04);          // GC board 2
    w[20] = rawScaled(noisy(random, s.tenaxC, 0.2), 0.028);
    w[21] = rawScaled(noisy(random, gc > 0 ? 1850.0 : 1013.0, 2.0), 0.2);           // He secondary, mbar
    w[23] = rawScaled(gc > 0 ? noisy(random, 24.5, 0.05) : 0.0, 0.045);             // valve voltage
    for (size_t column = 0; column < kColumns; ++column)
        w[24 + column] = rawScaled(noisy(random, s.columnC + kColumnOffsetC[column], 0.1), 0.014);
    w[32] = rawOffsetScaled(noisy(random, s.pipeC, 0.1), 2522.0, 0.11);
    w[33] = rawOffsetScaled(noisy(random, s.pipeC - 1.5, 0.1), 2522.0, 0.11);
    w[34] = rawOffsetScaled(noisy(random, s.ovenC, 0.3), 970.0, 0.14);
    w[35] = rawKelvinScaled(noisy(random, s.ambientC + 8.0, 0.05), 0.04);           // MS electronics box
    w[36] = rawUnsigned(noisy(random, s.calGasRaw, 1.5));
    w[37] = static_cast<uint16_t>(s.tpstPosition + random.between(-2, 2));
    w[40] = rawScaled(ms > 0 ? noisy(random, 95.0, 0.4) : 0.0, 0.0073);             // emission current, nA
    w[41] = rawScaled(ms > 0 ? noisy(random, 2150.0, 2.0) : 0.0, 0.505);            // detector HV
    constexpr double kMonitorVolts[6] = {2.12, 1.87, 3.21, 1.42, 1.08, 0.79};      // HV2 .. HV7 monitors
    for (size_t i = 0; i < 6; ++i)
        w[42 + i] = rawScaled(ms > 0 ? noisy(random, kMonitorVolts[i], 0.002) : 0.0, 0.000366);
    w[48] = s.cdmsReceived;
    w[49] = s.cdmsTransmitted;
    w[50] = s.cdmsStatus;
    w[51] = s.storedTcs;
    w[52] = s.rercMessages;
    w[54] = static_cast<uint16_t>(obt >> 16);
    w[55] = static_cast<uint16_t>(obt & 0xFFFF);
    w[56] = s.bramPointer;
    w[57] = w[16];
    w[58] = s.msCycles;
    w[59] = s.gcCycles;
    w[60] = statusWord2(s);
    w[61] = statusWord1(s);
    w[62] = s.lastError;
    w[63] = s.tpstPosition;
    return w;
}

std::array<uint16_t, kInternalHkWords> internalHousekeeping(const InstrumentState& s, uint32_t obt, Random& random)
{
    std::array<uint16_t, kInternalHkWords> w{};
    const auto half = housekeepingHalf(s, obt, random);
    std::copy(half.begin(), half.end(), w.begin());
    w[64] = 0x0800;                                      // allocated backup RAM
    w[65] = static_cast<uint16_t>(random.next());        // checksum of the last science packet
    w[66] = static_cast<uint16_t>(0x1000 | (s.storedTcs & 0x00FF)); // offset & length of stored TCs
    w[68] = 0x0003;                                      // CDMS service system status
    w[69] = 0x0002;                                      // CDMS mode
    w[71] = 0x4000;                                      // allocated science data volume
    w[72] = 0xFFFF;                                      // mass memory initialised
    w[73] = static_cast<uint16_t>(s.massMemoryAddress >> 20);
    w[74] = static_cast<uint16_t>((s.massMemoryAddress >> 4) & 0xFFFF);
    w[75] = static_cast<uint16_t>(s.massMemoryAddress >> 16);
    w[76] = static_cast<uint16_t>(s.massMemoryAddress & 0xFFFF);
    w[78] = static_cast<uint16_t>(random.below(64));     // read and write FIFO levels
    w[79] = static_cast<uint16_t>(random.below(64));
    w[80] = static_cast<uint16_t>(random.below(16));
    w[81] = static_cast<uint16_t>(0xC000 + random.below(0x2000)); // idle loop count
    w[82] = 0x0001;                                      // SD2 ready
    w[83] = s.dumping ? 0xFFFF : 0x0000;
    w[84] = 0x0002;                                      // TDC mode
    w[85] = 0x8000;
    w[86] = static_cast<uint16_t>(s.msCycles * 3);
    w[87] = static_cast<uint16_t>(s.gcCycles);
    return w;
}

std::array<uint16_t, kFullHkWords> fullHousekeeping(const InstrumentState& s, uint32_t obt, Random& random)
{
    std::array<uint16_t, kFullHkWords> w{};
    const auto internal = internalHousekeeping(s, obt, random);
    std::copy(internal.begin(), internal.end(), w.begin());
    return w;
}

std::array<uint16_t, kSweepWords> gcSweep(const InstrumentState& s, Random& random)
{
    constexpr double kVoltsPerBar = 0.1; // tank pressure transducers
    std::array<uint16_t, kSweepWords> w{};
    w[0] = rawSigned(noisy(random, s.he1Mbar / 1000.0 * kVoltsPerBar, 0.002) / 0.000366);
    w[1] = rawSigned(noisy(random, s.he2Mbar / 1000.0 * kVoltsPerBar, 0.002) / 0.000366);
    w[2] = rawSigned(noisy(random, 1.18, 0.003) / 0.000366);          // ion source
    w[3] = rawKelvinScaled(noisy(random, s.ambientC, 0.05), 0.04);    // cold part
    w[4] = rawScaled(noisy(random, s.ambientC + 27.0, 0.1), 0.028);   // warm part
    w[5] = rawSigned(noisy(random, s.gcPower ? 1.85 : 1.01, 0.005) * 4563.0); // column head, bar
    w[6] = static_cast<uint16_t>(random.below(8));
    w[7] = rawScaled(s.gcPower ? noisy(random, 24.5, 0.05) : 0.0, 0.045);
    for (size_t column = 0; column < kColumns; ++column)
        w[8 + column] = rawScaled(noisy(random, s.columnC + kColumnOffsetC[column], 0.1), 0.014);
    return w;
}

std::array<uint16_t, kSweepWords> msSweep(const InstrumentState& s, Random& random)
{
    constexpr uint16_t kOvenOpen = 0x1FFF; // the thermocouple reads open while the oven is off
    const bool ms = s.msPower;
    std::array<uint16_t, kSweepWords> w{};
    w[0] = rawOffsetScaled(noisy(random, s.pipeC, 0.1), 2520.0, 0.111);
    w[1] = rawOffsetScaled(noisy(random, s.pipeC - 1.5, 0.1), 2520.0, 0.111);
    w[2] = s.sampleSource == kSourceOven ? rawOffsetScaled(noisy(random, s.ovenC, 0.3), 970.0, 0.14) : kOvenOpen;
    w[3] = rawKelvinScaled(noisy(random, s.ambientC + 3.0, 0.05), 0.04);
    w[4] = rawSigned(noisy(random, s.calGasRaw / 1150.0, 0.002) / 0.000366);  // cal gas pressure, V
    w[5] = rawSigned(s.tpstPosition * 0.00122 / 0.000366);                     // TPST potentiometer, V
    w[6] = static_cast<uint16_t>(random.below(16));
    w[7] = static_cast<uint16_t>(random.below(16));
    w[8] = rawScaled(ms ? noisy(random, 95.0, 0.4) : 0.0, 0.0073);             // filament, uA
    w[9] = rawScaled(ms ? noisy(random, 2150.0, 2.0) : 0.0, 0.505);            // detector, V
    constexpr double kElectrodeKv[6] = {2.48, 1.95, 3.30, 1.12, 1.40, 0.82};  // R2_4, R2, R1, lense 2, lense 1, G3
    for (size_t i = 0; i < 6; ++i)
        w[10 + i] = rawScaled(ms ? noisy(random, kElectrodeKv[i], 0.003) : 0.0, 0.000366);
    return w;
}

} // namespace orvik::sim
