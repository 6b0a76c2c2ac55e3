// Chart benchmark: showing a 65 535-sample mass spectrum and chromatogram and
// filling the histogram, per sample and as a share of one 60 Hz screen refresh.
// The plot (decoding the node into the component model and handing its series to
// the chart widgets, the path a click takes) is timed apart from the chart
// library's own drawing, which is reported beside it, with the drawing of an
// 8-million-point stick series for scale.
//
//   chart_bench

#include "bench/BestOf.h"
#include "display/widgets/Chart.h"
#include "app/ComponentApplier.h"
#include "display/MainDisplay.h"
#include "display/widgets/Unit2.h"

#include <QApplication>
#include <QVBoxLayout>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace orvik;
using namespace orvik::display;
using namespace orvik::widgets;
using namespace orvik::app;

namespace {

constexpr double frame = 1.0 / 60;
constexpr size_t samples = 65535;

// A floor with a few peaks, as the instrument's spectra look. Every spectrum of the
// bench reads them in place, as spectra read theirs in the science stream.
WordView sampleWords()
{
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b(2 * samples);
        for (size_t i = 0; i < samples; ++i) {
            const double peak = 5000 * std::exp(-std::pow((double(i % 4096) - 2000) / 30, 2));
            writeLe16(b.data() + 2 * i, uint16_t(20 + peak + double(i % 7)));
        }
        return b;
    }();
    return WordView(bytes.data(), bytes.size());
}

std::unique_ptr<SpectrumRecord> spectrum(uint16_t tag)
{
    auto r = std::make_unique<SpectrumRecord>();
    r->tag = tag;
    r->sampleCount = uint16_t(samples);
    r->csibWord = 1;
    r->samples = sampleWords();
    return r;
}

// A dataset as the science stream builds it: "TC: ", "CSIB(Cfg)" (DAC channels
// 0x3210), then the spectrum.
NodeId dataset(CategoryTree& tree, uint16_t tag)
{
    const NodeId group = tree.addGroup(tree.addGroup(noNode, tag == msTag ? "MS" : "GC"), "Dataset (0)");
    tree.addNode(group, NodeWrapper(NodeKind::Telecommand, std::make_unique<TelecommandRecord>()));
    auto config = std::make_unique<CsibConfigRecord>();
    writeLe16(config->bytes.data() + 132, 0x3210);
    tree.addNode(group, NodeWrapper(NodeKind::CsibConfig, std::move(config)));
    return tree.addNode(group, NodeWrapper(NodeKind::Spectrum, spectrum(tag)));
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

    // Shown (offscreen), so that the charts draw at their full size.
    QWidget window;
    auto* ms = new Chart("MSChart");
    ms->setSeriesStyle(SeriesStyle::Volume);
    auto* gc = new Chart("GCChart");
    gc->setLegendPlacement(LegendPlacement::Bottom);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(ms);
    layout->addWidget(gc);
    window.resize(1000, 1200);
    window.show();
    ComponentApplier applier(window);

    CategoryTree tree;
    MainDisplay display;
    const auto plot = [&](NodeId node) {
        display.components.beginDisplay();
        display.displayNode(tree, node);
        applier.apply(display.components.writes());
    };
    const NodeId msNode = dataset(tree, msTag);
    report("mass spectrum (calibrated)", bestOf(5, [&] { plot(msNode); }), bestOf(5, [&] { ms->replot(); }));
    const NodeId gcNode = dataset(tree, gcTag);
    report("chromatogram (8 series)", bestOf(5, [&] { plot(gcNode); }), bestOf(5, [&] { gc->replot(); }));

    display.components.userSet("MSCalDisp", Property::Checked, false);
    plot(msNode);
    TForm2 form2(&window);
    form2.showOverMainWindow();
    const std::vector<ChartPoint> indexed = ms->points(0);
    report("histogram", bestOf(5, [&] { form2.fillHistogram(indexed); }), bestOf(5, [&] { form2.chart()->replot(); }));

    Chart dump("MemDumpChart");
    dump.resize(1000, 600);
    dump.show();
    std::vector<double> values(8'000'000);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = double((i * 2654435761u) >> 16 & 0xFFFF);
    dump.addSeries("dump", SeriesStyle::Volume);
    const double load = bestOf(1, [&] { dump.setValues(0, values); });
    const double draw = bestOf(3, [&] { dump.replot(); });
    std::printf("8 million sticks: load %.0f ms, drawing %.0f ms\n", load * 1e3, draw * 1e3);
    return 0;
}
