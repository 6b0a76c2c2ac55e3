// Housekeeping trend benchmark: an archive of 100 000 "Regular HK" packets (200 000
// samples); extracting the samples and one parameter's series, and plotting two
// series in the Trend window's chart (handing the points over and drawing them),
// each as a ratio to opening the same file.
//
//   trend_bench [PACKETS]

#include "bench/BestOf.h"
#include "archive/ArchiveDocument.h"
#include "tools/sim/ArchiveWriter.h"
#include "display/widgets/Chart.h"
#include "display/HousekeepingTrend.h"
#include "display/widgets/TrendForm.h"

#include <QApplication>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace orvik;
using namespace orvik::widgets;

namespace {

using Clock = std::chrono::steady_clock;

// Packets 16 s apart, halves 8 s apart; a slow oven cycle and a noisy current.
void writeArchive(const std::filesystem::path& file, uint32_t packets)
{
    std::ofstream out(file, std::ios::binary);
    sim::ArchiveWriter writer(&out);
    std::vector<uint16_t> words(1 + 128);
    words[0] = 1812;
    for (uint32_t p = 0; p < packets; ++p) {
        for (uint32_t half = 0; half < 2; ++half) {
            uint16_t* w = words.data() + 1 + 64 * half;
            const uint32_t count = 512 * p + 256 * half; // 1/32 s
            const uint32_t i = 2 * p + half;
            w[0] = uint16_t(1000 + (i * 7919) % 97);
            w[34] = uint16_t(1300 + 300 * std::sin(i / 500.0));
            w[54] = uint16_t(count >> 16), w[55] = uint16_t(count);
        }
        writer.writePacket({113, 4, 3, 25, 512 * p}, words);
    }
    writer.flush();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const uint32_t packets = argc > 1 ? uint32_t(std::strtoul(argv[1], nullptr, 10)) : 100000;
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "orvik-trend-bench.cvlbin";
    writeArchive(file, packets);

    ArchiveDocument doc;
    const double open = bestOf(3, [&] { doc.open(file.string()); });
    std::filesystem::remove(file);

    std::vector<display::TrendSample> samples;
    const double extractSamples = bestOf(5, [&] { samples = display::trendSamples(doc); });
    const display::HkParameter& oven = *display::parameterNamed("ORVH_Oven_Temp");
    std::vector<display::ChartPoint> points;
    const double extractSeries = bestOf(5, [&] { points = display::trendPoints(oven, samples); });

    TrendForm form(doc, nullptr);
    form.resize(1280, 800);
    form.show();
    widgets::Chart& chart = *form.chart();
    // A click on a check box: the samples again, both series, points into the chart, fitting, drawing.
    form.setParameterChecked("ORVH_p5V_C", true);
    double plot = 1e300;
    for (int run = 0; run < 5; ++run) {
        form.setParameterChecked("ORVH_Oven_Temp", false);
        const auto start = Clock::now();
        form.setParameterChecked("ORVH_Oven_Temp", true);
        chart.replot(QCustomPlot::rpImmediateRefresh);
        plot = std::min(plot, std::chrono::duration<double>(Clock::now() - start).count());
    }
    const double draw = bestOf(5, [&] { chart.replot(QCustomPlot::rpImmediateRefresh); });

    std::printf("%u packets, %zu samples, %zu points per series\n", packets, samples.size(), points.size());
    std::printf("open the archive            %8.2f ms (1.00)\n", open * 1e3);
    std::printf("extract the samples         %8.2f ms (%.3f of the open)\n", extractSamples * 1e3, extractSamples / open);
    std::printf("extract one series          %8.2f ms (%.3f of the open)\n", extractSeries * 1e3, extractSeries / open);
    std::printf("plot two series (check box) %8.2f ms (%.3f of the open)\n", plot * 1e3, plot / open);
    std::printf("  of which drawing          %8.2f ms (%.3f of the open)\n", draw * 1e3, draw / open);
    return chart.seriesCount() == 2 ? 0 : 1;
}
