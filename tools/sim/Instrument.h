#pragma once

#include <cstdint>

namespace orvik::sim {

enum class InstrumentMode : uint16_t { Idle = 0, Gc = 1, Ms = 2, GcMs = 3, SelfTest = 4 };

// Sample sources as the configuration words code them (one nibble all ones).
constexpr uint16_t kSourceCalibrationGas = 0x000F;
constexpr uint16_t kSourceOven = 0x00F0;
constexpr uint16_t kSourceSniffingOrTenax = 0x0F00; // MS: sniffing, GC: Tenax
constexpr uint16_t kSampleSources[3] = {kSourceCalibrationGas, kSourceOven, kSourceSniffingOrTenax};

// Memory types of memory dumps.
constexpr uint16_t kMemoryMassMemory = 0x000F;
constexpr uint16_t kMemoryGc = 0x00F0;
constexpr uint16_t kMemoryMsTdc = 0x0F00;
constexpr uint16_t kMemoryDpu = 0xF000;

// Tapping-station potentiometer readings at the named positions: open, contacts closed, main
// terminal, side terminal, upper, lower.
constexpr uint16_t kTpstPositions[6] = {0x0118, 0x0352, 0x0786, 0x0A3C, 0x0D0E, 0x0E84};

// The physical state behind the housekeeping: temperatures follow their set points, the helium
// tanks empty with every GC run, counters count. Every readout (housekeeping blocks, sweeps,
// reports) is taken from it, so the values of different packets agree.
struct InstrumentState {
    InstrumentMode mode = InstrumentMode::Idle;
    bool msPower = false;
    bool gcPower = false;
    uint16_t sampleSource = kSourceCalibrationGas;

    double ambientC = 18.0;
    double ovenC = 20.0, ovenTargetC = 20.0;
    double columnC = 22.0, columnTargetC = 22.0; // the eight columns follow one programme
    double tenaxC = 20.0, tenaxTargetC = 20.0;
    double pipeC = 30.0, pipeTargetC = 30.0;
    double he1Mbar = 31200.0, he2Mbar = 29800.0;
    double calGasRaw = 2870.0;

    uint16_t tpstPosition = kTpstPositions[0];
    uint16_t ssvStatus = 0x4000;    // single-shot valve: 01 armed, 11 fired
    uint16_t configValid = 0;       // 3 bits: TPST, MS, GC
    uint16_t lastError = 0;
    bool dumping = false;

    uint16_t cdmsReceived = 0, cdmsTransmitted = 0, cdmsStatus = 0;
    uint16_t storedTcs = 0, rercMessages = 0;
    uint16_t msCycles = 0, gcCycles = 0;
    uint16_t bramPointer = 0x0200;
    uint16_t executedTcs = 0;
    uint32_t massMemoryAddress = 0x00010000;

    // Lets the temperatures approach their set points over `seconds`.
    void relax(double seconds);
    // A telecommand arrived from the lander and was acknowledged.
    void countTelecommand();
};

} // namespace orvik::sim
