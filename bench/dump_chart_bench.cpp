// Memory-dump window benchmark: the largest dump (65 535 pages, 128 × 65 535
// words) drawn in TForm3, fill and first paint, against a chart of one bar object
// per word holding the same dump (timed once: it takes some twenty seconds).
//
//   dump_chart_bench

#include "display/widgets/Chart.h"
#include "display/widgets/Unit3.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace orvik;
using namespace orvik::widgets;

namespace {

constexpr uint16_t largestDump = 65535;

template <class F>
double seconds(F&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The image reads its pages in place, as from packets: the bytes stay beside it.
struct Dump {
    std::vector<uint8_t> bytes;
    MemoryDumpImage image;
};

// Words that look like memory: stretches of varied values between empty ones.
Dump dump(uint16_t pages)
{
    Dump dump{std::vector<uint8_t>(MemoryDumpImage::pageBytes * pages), MemoryDumpImage(pages, 0x000F)};
    for (size_t i = 0; i < MemoryDumpImage::pageWords * pages; ++i)
        writeLe16(dump.bytes.data() + 2 * i, (i / 4096) % 3 == 0 ? 0 : uint16_t((i * 2654435761u) >> 16));
    for (size_t p = 0; p < pages; ++p)
        dump.image.addPage(WordView(dump.bytes.data() + MemoryDumpImage::pageBytes * p, MemoryDumpImage::pageBytes));
    return dump;
}

// The dump's words as a bar series of the chart layer, filled and painted.
double barChartSeconds(const MemoryDumpImage& image, QSize size)
{
    const std::vector<double> values = TForm3::dumpValues(image);
    Chart bars("Chart1");
    bars.resize(size);
    bars.show();
    bars.addSeries("Series1", SeriesStyle::Bar, Qt::red);
    return seconds([&] {
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
    const Dump held = dump(largestDump);
    const MemoryDumpImage& largest = held.image;
    double fill = 1e300;
    double paint = 1e300;
    for (int run = 0; run < 3; ++run) {
        form3.fillDumpChart(MemoryDumpImage(0, 0x000F)); // each run starts from an empty chart
        fill = std::min(fill, seconds([&] { form3.fillDumpChart(largest); }));
        paint = std::min(paint, seconds([&] {
                             form3.chart()->replot();
                             form3.repaint();
                         }));
    }
    const double sampled = fill + paint;
    std::printf("TForm3, %u pages (%zu words): fill %.0f ms, first paint %.0f ms, together %.0f ms\n", largestDump,
                size_t(MemoryDumpImage::pageWords) * largestDump, fill * 1e3, paint * 1e3, sampled * 1e3);

    const double bars = barChartSeconds(largest, form3.chart()->size());
    std::printf("bar per word, same dump: %.1f s\n", bars);
    std::printf("bar per word / sampled: %.0f times slower; sampled chart %s half a second\n", bars / sampled,
                sampled < 0.5 ? "within" : "OVER");
    return 0;
}
