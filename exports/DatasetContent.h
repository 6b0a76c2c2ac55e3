#pragma once
// What a dataset holds for the tools of analysis: its mass spectra and chromatograms with
// exactly the values the charts plot, their on-board times, and the telecommand and
// configuration that describe the measurement. The values are copied; the document may
// change afterwards.

#include "archive/CategoryTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvik::exports {

struct ExportedSpectrum {
    NodeId node = noNode;
    size_t number = 0;      // among the dataset's mass spectra, from 0
    int64_t ticks = 0;      // the spectrum's on-board time
    uint16_t csibWord = 0;  // chose the calibration
    std::vector<double> mz; // the calibrated x values the MS chart plots, ascending
    std::vector<double> intensity;
};

struct ExportedChromatogram {
    NodeId node = noNode;   // the GC record the series comes from
    size_t record = 0;      // among the dataset's GC records, from 0
    int64_t ticks = 0;      // the record's on-board time
    std::string title;      // the chart series: "Column 3 Low"
    std::vector<double> time; // seconds from the record's start, as the GC chart plots them
    std::vector<double> intensity;
};

struct DatasetContent {
    NodeId dataset = noNode;
    std::string name;                    // the node's text: "Dataset (0)"
    std::string path;                    // the groups above it and itself: "MS > Dataset (0)"
    std::vector<uint16_t> telecommand;   // the words of the telecommand that opened it
    std::optional<int64_t> startTicks;   // its first "Time: " node: where its times count from
    std::optional<uint16_t> dacChannelWord; // from its "CSIB(Cfg)" node
    std::vector<ExportedSpectrum> spectra;
    std::vector<ExportedChromatogram> chromatograms;
    size_t gcRecordsWithoutColumns = 0;  // GC records that no "CSIB(Cfg)" node tells apart: not exported

    // The dataset's start: its "Time: " node or, without one, its first spectrum or record;
    // nothing when it has none of them.
    std::optional<int64_t> start() const;
    // Seconds from the dataset's start to `ticks` (0 without a start).
    double secondsFromStart(int64_t ticks) const;
};

// Whether `node` is a dataset group ("Dataset (N)", made by a telecommand of the science stream).
bool isDataset(const CategoryTree& tree, NodeId node);
// The dataset at or above `node`, or noNode.
NodeId datasetOf(const CategoryTree& tree, NodeId node);
// Every dataset in tree order.
std::vector<NodeId> datasets(const CategoryTree& tree);
// The content of the dataset `dataset` (see isDataset).
DatasetContent datasetContent(const CategoryTree& tree, NodeId dataset);
// The content of the dataset that holds the spectrum or GC record `node`, with only that
// node's spectrum or chromatograms: the curve a chart shows.
DatasetContent curveContent(const CategoryTree& tree, NodeId node);

} // namespace orvik::exports
