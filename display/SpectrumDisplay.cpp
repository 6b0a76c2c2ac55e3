#include "display/SpectrumDisplay.h"

#include "display/Configuration.h"
#include "display/MainDisplay.h"
#include "archive/OnBoardTime.h"

#include <algorithm>
#include <cstdio>

namespace orvik::display {

namespace {

// The samples the record holds, never more than its count says.
size_t samplesHeld(const SpectrumRecord& spectrum)
{
    return std::min<size_t>(spectrum.sampleCount, spectrum.samples.wordCount());
}


} // namespace

MsCalibration msCalibration(uint16_t csibWord)
{
    return csibWord != 0 ? MsCalibration{0.0011656, 0.4225} : MsCalibration{0.002333, 0.4306};
}

double calibratedX(size_t i, MsCalibration c)
{
    const double root = double(i) * c.a - c.b;
    return double(float(root * root));
}

ChartSeries massSpectrumSeries(const SpectrumRecord& spectrum, bool calibrated)
{
    const WordView samples = spectrum.samples;
    const MsCalibration c = msCalibration(spectrum.csibWord);
    ChartSeries series{msSeriesTitle, {}};
    series.points.resize(samplesHeld(spectrum));
    for (size_t i = 0; i < series.points.size(); ++i)
        series.points[i] = {calibrated ? calibratedX(i, c) : double(i), double(samples.wordOr(i))};
    // Below i = b / a the calibrated values fall with i; the series keeps its points in ascending x.
    if (calibrated)
        std::stable_sort(series.points.begin(), series.points.end(),
                         [](const ChartPoint& p, const ChartPoint& q) { return p.x < q.x; });
    return series;
}

std::array<std::optional<int>, detectorChannels> channelColumns(uint16_t dacChannelWord)
{
    std::array<std::optional<int>, detectorChannels> columns;
    for (int k = 0; k < detectorChannels; ++k) {
        const int column = int(dacChannelColumn(dacChannelWord, unsigned(k % 4)));
        if (column < gcColumns)
            columns[size_t(k)] = column;
    }
    return columns;
}

std::vector<ChartSeries> chromatogramSeries(const SpectrumRecord& spectrum, uint16_t dacChannelWord)
{
    const auto columns = channelColumns(dacChannelWord);
    std::vector<ChartSeries> series;
    std::array<std::optional<size_t>, detectorChannels> seriesOfChannel;
    for (int column = 0; column < gcColumns; ++column) {
        if (std::find(columns.begin(), columns.begin() + 4, column) == columns.begin() + 4)
            continue;
        const std::string name = columnName(unsigned(column));
        series.push_back({name + " Low", {}});
        series.push_back({name + " High", {}});
        for (size_t k = 0; k < detectorChannels; ++k)
            if (columns[k] == column)
                seriesOfChannel[k] = series.size() - (k < 4 ? 2 : 1);
    }

    const WordView samples = spectrum.samples;
    const size_t count = samplesHeld(spectrum);
    for (ChartSeries& s : series)
        s.points.reserve(count / 4 + 1);
    for (size_t n = 0; n < count; ++n)
        if (const auto s = seriesOfChannel[n % detectorChannels])
            series[*s].points.push_back({double(n) * chromatogramTimeStep, double(samples.wordOr(n))});
    return series;
}

std::optional<uint16_t> datasetDacChannelWord(const CategoryTree& tree, NodeId dataset)
{
    if (dataset == noNode)
        return std::nullopt;
    const NodeRuns& children = tree.children(dataset);
    if (children.size() < 2 || tree.kind(children[1]) != NodeKind::CsibConfig)
        return std::nullopt;
    return tree.wrapper(children[1]).record<CsibConfigRecord>()->words().wordOr(CsibConfigRecord::dacChannelWord);
}

std::optional<std::vector<ChartSeries>> chromatogramSeriesOf(const CategoryTree& tree, NodeId node)
{
    const SpectrumRecord* spectrum = tree.wrapper(node).record<SpectrumRecord>();
    const std::optional<uint16_t> dacChannelWord = datasetDacChannelWord(tree, tree.parent(node));
    if (!spectrum || !dacChannelWord)
        return std::nullopt;
    return chromatogramSeries(*spectrum, *dacChannelWord);
}

std::string spectrumTimeText(uint16_t high, uint16_t low)
{
    char words[16];
    std::snprintf(words, sizeof words, "0x%04X:%04X", high, low);
    return std::string(words) + " - " + formatOnBoardTimeWithDay(ticksFromSignedCount(high, low));
}

void MainDisplay::displaySpectrum(const CategoryTree& tree, NodeId node)
{
    const SpectrumRecord* spectrum = tree.wrapper(node).record<SpectrumRecord>();
    if (spectrum->tag == msTag) {
        const bool calibrated = components.flag("MSCalDisp", Property::Checked).value_or(true);
        components.set("MSChart", Property::Series, std::vector<ChartSeries>{massSpectrumSeries(*spectrum, calibrated)});
        components.set("MSChart", Property::Title, tree.text(node));
        components.setText("msspectime", spectrumTimeText(spectrum->timeHigh, spectrum->timeLow));
    } else if (spectrum->tag == gcTag) {
        if (std::optional<std::vector<ChartSeries>> series = chromatogramSeriesOf(tree, node)) {
            components.set("GCChart", Property::Series, std::move(*series));
            components.set("GCChart", Property::Title, tree.text(node));
        }
        components.setText("gcspectime", spectrumTimeText(spectrum->timeHigh, spectrum->timeLow));
    }
}

void MainDisplay::releaseChromatogramSeries()
{
    components.set("GCChart", Property::Series, std::vector<ChartSeries>{});
}

void MainDisplay::releaseSpectrumSeries()
{
    releaseChromatogramSeries();
    components.set("MSChart", Property::Series, std::vector<ChartSeries>{{msSeriesTitle, {}}});
    // No title or time of a spectrum of the previous file stands over an emptied chart.
    components.set("MSChart", Property::Title, std::string(msChartDesignTitle));
    components.set("GCChart", Property::Title, std::string());
    components.setText("msspectime", spectrumTimeDesignText);
    components.setText("gcspectime", spectrumTimeDesignText);
}

} // namespace orvik::display
