#include "tools/sim/Spectra.h"

#include "tools/sim/Configuration.h"
#include "tools/sim/Instrument.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace orvik::sim {

namespace {

constexpr double kAdcMax = 0x3FFF; // 14-bit converters
constexpr unsigned kChannels = 8;
constexpr size_t kColumns = 8;
constexpr double kStepSeconds = 2.0 * 640.0 / 21.0;

struct Species {
    double mass;
    double abundance; // relative peak height
};

// What each sample source delivers, main species and the larger fragments and isotopes.
constexpr Species kCalibrationGas[] = {
    {4, 0.62}, {20, 0.91}, {22, 0.093}, {36, 0.0034}, {40, 1.0}, {18, 0.06}, {28, 0.04}};
constexpr Species kOvenGas[] = {
    {18, 1.0}, {17, 0.23}, {16, 0.09}, {2, 0.08}, {12, 0.05}, {15, 0.07}, {26, 0.04}, {27, 0.05},
    {28, 0.35}, {29, 0.03}, {30, 0.04}, {31, 0.02}, {32, 0.07}, {44, 0.58}, {45, 0.007}, {46, 0.02}};
constexpr Species kAmbientGas[] = {
    {28, 1.0}, {29, 0.0075}, {14, 0.07}, {32, 0.27}, {34, 0.001}, {16, 0.03}, {18, 0.42}, {17, 0.09},
    {40, 0.012}, {44, 0.05}};

std::span<const Species> speciesOf(uint16_t sampleSource)
{
    switch (sampleSource) {
    case kSourceOven: return kOvenGas;
    case kSourceSniffingOrTenax: return kAmbientGas;
    default: return kCalibrationGas;
    }
}

void addGaussian(std::vector<double>& signal, double centre, double sigma, double height)
{
    const auto first = static_cast<long>(std::max(0.0, std::floor(centre - 6 * sigma)));
    const auto last = static_cast<long>(std::min(static_cast<double>(signal.size()) - 1, std::ceil(centre + 6 * sigma)));
    for (long i = first; i <= last; ++i) {
        const double z = (static_cast<double>(i) - centre) / sigma;
        signal[static_cast<size_t>(i)] += height * std::exp(-0.5 * z * z);
    }
}

uint16_t toAdc(double value)
{
    return static_cast<uint16_t>(std::clamp(std::floor(value + 0.5), 0.0, kAdcMax));
}

struct Peak {
    double seconds;
    double sigma;
    double height;
};

std::array<std::vector<Peak>, kColumns> columnPeaks(Random& random, double runSeconds, uint16_t sampleSource)
{
    const int minPeaks = sampleSource == kSourceCalibrationGas ? 2 : 4;
    std::array<std::vector<Peak>, kColumns> peaks;
    for (auto& column : peaks) {
        const int count = random.between(minPeaks, minPeaks + 4);
        for (int i = 0; i < count; ++i) {
            const double seconds = runSeconds * (0.06 + 0.86 * random.uniform());
            // Later peaks are broader, as on a real column.
            column.push_back({seconds, 1.2 + 5.0 * seconds / runSeconds + random.uniform(),
                              300.0 + 11000.0 * random.uniform() * random.uniform()});
        }
    }
    return peaks;
}

} // namespace

MassCalibration massCalibration(bool highResolution)
{
    return highResolution ? MassCalibration{0.0011656, 0.4225} : MassCalibration{0.002333, 0.4306};
}

double sampleIndexOfMass(double mass, bool highResolution)
{
    const MassCalibration c = massCalibration(highResolution);
    return (std::sqrt(mass) + c.b) / c.a;
}

std::vector<uint16_t> massSpectrum(Random& random, bool highResolution, uint16_t sampleSource)
{
    const unsigned samples = msSamples(highResolution);
    const double sigma = highResolution ? 1.7 : 1.1;
    const double scale = 1500.0 + 9000.0 * random.uniform();
    std::vector<double> signal(samples, 0.0);
    for (const Species& species : speciesOf(sampleSource)) {
        const double centre = sampleIndexOfMass(species.mass, highResolution) + 0.3 * random.noise();
        if (centre < samples)
            addGaussian(signal, centre, sigma, scale * species.abundance * (0.85 + 0.3 * random.uniform()));
    }
    std::vector<uint16_t> out(samples);
    for (unsigned i = 0; i < samples; ++i) {
        const double dark = 1.5 + 0.8 * random.noise();
        out[i] = toAdc(dark + signal[i] + std::sqrt(signal[i]) * random.noise()); // counting noise
    }
    return out;
}

unsigned chromatogramSamples(unsigned durationSteps)
{
    const double seconds = durationSteps * kStepSeconds;
    return static_cast<unsigned>(seconds / kChromatogramSampleSeconds) / kChannels * kChannels;
}

std::vector<uint16_t> chromatogram(Random& random, uint16_t dacChannels, unsigned samples, uint16_t sampleSource)
{
    const double runSeconds = samples * kChromatogramSampleSeconds;
    const auto peaks = columnPeaks(random, runSeconds, sampleSource);
    const unsigned points = samples / kChannels;
    std::vector<uint16_t> out(samples);
    for (unsigned channel = 0; channel < kChannels; ++channel) {
        const unsigned column = (dacChannels >> (4 * (channel % 4))) & 0x7;
        const bool highGain = channel >= 4;
        const double gain = highGain ? 1.0 : 1.0 / 16.0;
        const double baseline = highGain ? 420.0 : 64.0;
        // One channel's points are 8 samples apart; 1 / kChromatogramSampleSeconds samples a second.
        std::vector<double> signal(points, 0.0);
        const double pointsPerSecond = 1.0 / (kChannels * kChromatogramSampleSeconds);
        for (const Peak& peak : peaks[column])
            addGaussian(signal, peak.seconds * pointsPerSecond, peak.sigma * pointsPerSecond, peak.height * gain);
        for (unsigned j = 0; j < points; ++j) {
            const double drift = 0.08 * baseline * j / points; // column bleed as the oven heats
            out[j * kChannels + channel] = toAdc(baseline + drift + signal[j] + (highGain ? 4.0 : 1.0) * random.noise());
        }
    }
    return out;
}

} // namespace orvik::sim
