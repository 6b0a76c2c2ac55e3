// Memory-dump window benchmark: the largest dump (65 535 pages, 128 × 65 535
// words) drawn in TForm3, fill and first paint, against a chart of one bar object
// per word. The bar chart is timed on a smaller dump and scaled to the largest
// (its time grows with the number of bars; two sizes show how linear it is).
//
//   dump_chart_bench

#include "Chart.h"
#include "Unit3.h"

#include <QApplication>

#include <chrono>
#include <cstdio>

using namespace orvik;
using namespace orvik::widgets;

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint16_t largestDump = 65535;

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

// Words that look like memory: runs of code-like values and empty stretches.
MemoryDumpImage dump(uint16_t pages)
{
    MemoryDumpImage image(pages, 0x000F);
    const size_t words = MemoryDumpImage::pageWords * pages;
    for (size_t i = 0; i < words; ++i)
        writeLe16(image.pageBytes(0) + 2 * i, (i / 4096) % 3 == 0 ? 0 : uint16_t((i * 2654435761u) >> 16));
    return image;
}

// One bar object per word: the dump's words as a bar series of the chart layer.
double barChartSeconds(uint16_t pages, QSize size)
{
    const MemoryDumpImage image = dump(pages);
    std::vector<double> values(MemoryDumpImage::pageWords * pages);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = image.words().wordOr(2 + i);
    Chart bars("Chart1");
    bars.resize(size);
    bars.show();
    bars.addSeries("Series1", SeriesStyle::Bar, Qt::red);
    return bestOf(2, [&] {
        bars.setValues(0, values);
        bars.replot();
        bars.repaint();
    });
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TForm3 form3(nullptr);
    form3.show();
    const MemoryDumpImage largest = dump(largestDump);
    double fill = 1e300;
    double paint = 1e300;
    for (int run = 0; run < 3; ++run) {
        form3.fillDumpChart(MemoryDumpImage(0, 0x000F)); // each run starts from an empty chart
        fill = std::min(fill, bestOf(1, [&] { form3.fillDumpChart(largest); }));
        paint = std::min(paint, bestOf(1, [&] {
                             form3.chart()->replot();
                             form3.repaint();
                         }));
    }
    const double sampled = fill + paint;
    std::printf("TForm3, %u pages (%zu words): fill %.0f ms, first paint %.0f ms, together %.0f ms\n", largestDump,
                size_t(MemoryDumpImage::pageWords) * largestDump, fill * 1e3, paint * 1e3, sampled * 1e3);

    const QSize size = form3.chart()->size();
    const double bars256 = barChartSeconds(256, size);
    const double bars512 = barChartSeconds(512, size);
    const double barsLargest = bars512 * largestDump / 512;
    std::printf("bar per word: 256 pages %.0f ms, 512 pages %.0f ms (ratio %.2f for twice the bars)\n", bars256 * 1e3,
                bars512 * 1e3, bars512 / bars256);
    std::printf("bar per word, scaled to %u pages: %.1f s\n", largestDump, barsLargest);
    std::printf("bar per word / sampled: %.0f times slower; sampled chart %s half a second\n", barsLargest / sampled,
                sampled < 0.5 ? "within" : "OVER");
    return 0;
}
