#pragma once
// Mass spectra and chromatograms as chart series: the MS calibration, the split of
// a chromatogram into its detector channels, and the spectrum's time label.

#include "display/ComponentModel.h"
#include "archive/CategoryTree.h"
#include "archive/DatasetRecords.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orvik::display {

// x = (i × a − b)² for sample i.
struct MsCalibration {
    double a;
    double b;
};
// Resolution "high" (a non-zero word, also 0xFFFF for "no configuration yet") or "low" (zero).
MsCalibration msCalibration(uint16_t csibWord);
// The x value of sample i, stored in single precision as the chart keeps it.
double calibratedX(size_t i, MsCalibration c);

// The spectrum's samples as the stick series of the MS chart: x is the calibrated
// value or the sample index; points in ascending x order.
ChartSeries massSpectrumSeries(const SpectrumRecord& spectrum, bool calibrated);

constexpr double chromatogramTimeStep = 0.032768; // seconds between the samples of one channel
constexpr int detectorChannels = 8;
constexpr int gcColumns = 8;

// The GC column (0..7) each detector channel measures, from the DAC channel word:
// channels k and k + 4 belong to DAC channel k + 1, whose column is the word's
// nibble k. A channel whose nibble names no column (8..15) has none.
std::array<std::optional<int>, detectorChannels> channelColumns(uint16_t dacChannelWord);

// The chromatogram split into a "Low" and a "High" series per column measured, in
// ascending column order, low before high. Samples of a channel without a column
// go nowhere.
std::vector<ChartSeries> chromatogramSeries(const SpectrumRecord& spectrum, uint16_t dacChannelWord);

// The DAC channel word of the dataset group `dataset`: from its "CSIB(Cfg)" node, its second
// child; none when it has no such node.
std::optional<uint16_t> datasetDacChannelWord(const CategoryTree& tree, NodeId dataset);

// The chromatogram series of the GC spectrum node `node`, its channels told apart by the DAC
// channel word of the dataset that holds it; none when it lies in no dataset or the dataset
// has no such word.
std::optional<std::vector<ChartSeries>> chromatogramSeriesOf(const CategoryTree& tree, NodeId node);

// "0xHHHH:LLLL - " and the calendar text of the signed 1/32 s count.
std::string spectrumTimeText(uint16_t high, uint16_t low);

// The MS chart's only series.
constexpr const char* msSeriesTitle = "Series2";
// What the spectrum charts and their time labels show while nothing is plotted.
constexpr const char* msChartDesignTitle = "\n"; // two empty lines
constexpr const char* spectrumTimeDesignText = "-";

} // namespace orvik::display
