#include "tools/sim/Telecommands.h"

namespace orvik::sim {

namespace {

constexpr uint16_t kYes = 0xFFFF;

uint16_t code(TcCode tc)
{
    return static_cast<uint16_t>(tc);
}

template <size_t N>
std::vector<uint16_t> withBlock(TcCode tc, const std::array<uint16_t, N>& block)
{
    std::vector<uint16_t> words{code(tc)};
    words.insert(words.end(), block.begin(), block.end());
    return words;
}

} // namespace

std::vector<uint16_t> simpleTelecommand(TcCode tc)
{
    return {code(tc)};
}

std::vector<uint16_t> selfTestTelecommand(uint16_t units)
{
    // DPU RAM page 3, mass-memory pages 0..7, oven PWM 200 on the main terminal.
    return {code(TcCode::Stst), units, 0, 0, 0, 0, 3, 0, 0, 8, 0, 200, kYes, 0};
}

std::vector<uint16_t> gcConfigurationTelecommand(const RunConfiguration& configuration)
{
    return withBlock(TcCode::Cfgc, configuration.gc);
}

std::vector<uint16_t> msConfigurationTelecommand(const RunConfiguration& configuration)
{
    return withBlock(TcCode::Cfms, configuration.ms);
}

std::vector<uint16_t> tpstConfigurationTelecommand(const RunConfiguration& configuration)
{
    return withBlock(TcCode::Cfts, configuration.tpst);
}

std::vector<uint16_t> internalHousekeepingTelecommand()
{
    return {code(TcCode::Gihk), kYes};
}

std::vector<uint16_t> updateDeviceParametersTelecommand()
{
    // Positions to RAM and EEPROM, control parameters to RAM.
    return {code(TcCode::Udpt), 0x00FF, 0, 0, 0, 0, 0, 0, 0x000F};
}

std::vector<uint16_t> memoryDumpTelecommand(uint16_t memoryType, uint32_t address, uint16_t pages)
{
    return {code(TcCode::Mmld), memoryType, static_cast<uint16_t>(address >> 16), static_cast<uint16_t>(address & 0xFFFF), pages};
}

std::vector<uint16_t> startActionTelecommand(DatasetKind kind, uint16_t spectra, uint16_t sampleSource)
{
    return {code(TcCode::Stac),
            static_cast<uint16_t>(kind == DatasetKind::Ms ? kYes : 0),
            static_cast<uint16_t>(kind == DatasetKind::Gc ? kYes : 0),
            static_cast<uint16_t>(kind == DatasetKind::GcMs ? kYes : 0),
            spectra,
            sampleSource,
            0,
            0};
}

} // namespace orvik::sim
