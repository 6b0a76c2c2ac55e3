// Chart benchmark: plotting a 65 535-sample mass spectrum and chromatogram and
// filling the histogram, per sample and as a share of one 60 Hz screen refresh.
// The decoding and the hand-over to the chart are timed apart from the chart
// library's own drawing, which is reported beside them, with the drawing of an
// 8-million-point stick series for scale.
//
//   chart_bench

#include "Chart.h"
#include "Histogram.h"
#include "SpectrumDisplay.h"
#include "Unit2.h"

#include <QApplication>

#include <chrono>
#include <cmath>
#include <cstdio>

using namespace orvik;
using namespace orvik::display;
using namespace orvik::widgets;

namespace {

using Clock = std::chrono::steady_clock;
constexpr double frame = 1.0 / 60;
constexpr size_t samples = 65535;

template <class F>
double bestOf(int runs, F&& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// A floor with a few peaks, as the instrument's spectra look.
SpectrumRecord spectrum(uint16_t tag)
{
    SpectrumRecord r;
    r.tag = tag;
    r.sampleCount = uint16_t(samples);
    r.csibWord = 1;
    r.sampleBytes.resize(2 * samples);
    for (size_t i = 0; i < samples; ++i) {
        const double peak = 5000 * std::exp(-std::pow((double(i % 4096) - 2000) / 30, 2));
        writeLe16(r.sampleBytes.data() + 2 * i, uint16_t(20 + peak + double(i % 7)));
    }
    return r;
}

void report(const char* what, double plot, double draw)
{
    std::printf("%-28s %8.1f ns/sample  plot %6.2f ms (%5.1f %% of a frame)  drawing %6.2f ms\n", what,
                plot / samples * 1e9, plot * 1e3, plot / frame * 100, draw * 1e3);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    Chart ms("MSChart");
    ms.resize(1000, 600);
    ms.setSeriesStyle(SeriesStyle::Volume);
    const SpectrumRecord msRecord = spectrum(msTag);
    const double msPlot = bestOf(5, [&] { ms.showSeries({massSpectrumSeries(msRecord, true)}); });
    report("mass spectrum (calibrated)", msPlot, bestOf(5, [&] { ms.replot(); }));

    Chart gc("GCChart");
    gc.resize(1000, 600);
    gc.setLegendPlacement(LegendPlacement::Bottom);
    const SpectrumRecord gcRecord = spectrum(gcTag);
    const double gcPlot = bestOf(5, [&] { gc.showSeries(chromatogramSeries(gcRecord, 0x3210)); });
    report("chromatogram (8 series)", gcPlot, bestOf(5, [&] { gc.replot(); }));

    QWidget main;
    TForm2 form2(&main);
    form2.resize(427, 336);
    const std::vector<ChartPoint> indexed = massSpectrumSeries(msRecord, false).points;
    const double fill = bestOf(5, [&] { form2.fillHistogram(indexed); });
    report("histogram", fill, bestOf(5, [&] { form2.chart()->replot(); }));

    Chart dump("MemDumpChart");
    dump.resize(1000, 600);
    std::vector<double> values(8'000'000);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = double((i * 2654435761u) >> 16 & 0xFFFF);
    dump.addSeries("dump", SeriesStyle::Volume);
    const double load = bestOf(1, [&] { dump.setValues(0, values); });
    const double draw = bestOf(3, [&] { dump.replot(); });
    std::printf("8 million sticks: load %.0f ms, drawing %.0f ms\n", load * 1e3, draw * 1e3);
    return 0;
}
