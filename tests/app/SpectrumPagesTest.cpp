// The spectrum and sweep pages in the real window: spectra and chromatograms of
// the demo archive plotted and read back from the charts, "calibrated Display",
// the pop-up menus, the histogram window, the chart editor's pages and the sweeps.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "display/widgets/Chart.h"
#include "display/widgets/ChartEditor.h"
#include "display/SpectrumDisplay.h"
#include "app/pages/SpectrumPages.h"
#include "app/Unit1.h"
#include "display/widgets/Unit2.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace orvik;
using namespace orvik::app;
using namespace orvik::widgets;
using orvik::widgets::Chart;
using orvik::widgets::ChartEditor;

namespace {

class SpectrumPagesTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window.currentFileName = demoArchive;
        window.openArchive(false);
    }

    template <typename T>
    T* find(const char* name) { return findNamed<T>(window, name); }

    // The time-list row of the first spectrum with that tag.
    int firstSpectrum(uint16_t tag) const
    {
        int row = 0;
        for (NodeId node : window.document().timeListNodes()) {
            const SpectrumRecord* s = window.document().tree().wrapper(node).record<SpectrumRecord>();
            if (s && s->tag == tag && s->sampleCount > 0)
                return row;
            ++row;
        }
        return -1;
    }
    NodeId choose(int row) { return chooseTimeRow(window, row); }
    const SpectrumRecord& record(NodeId node) const
    {
        return *window.document().tree().wrapper(node).record<SpectrumRecord>();
    }
    QString activePage(const char* control) { return find<QTabWidget>(control)->currentWidget()->objectName(); }

    TForm1 window;
};

TEST_F(SpectrumPagesTest, AMassSpectrumIsPlottedOnTheMsChart)
{
    const NodeId node = choose(firstSpectrum(msTag));
    const SpectrumRecord& spectrum = record(node);
    Chart* chart = find<Chart>("MSChart");
    EXPECT_EQ(activePage("PageControl1"), "MSTab");
    EXPECT_EQ(activePage("MSPageControl"), "MSSpecTabSheet");
    EXPECT_EQ(chart->title().toStdString(), window.document().tree().text(node));
    ASSERT_EQ(chart->seriesCount(), 1);
    EXPECT_EQ(chart->seriesData(), (std::vector<display::ChartSeries>{display::massSpectrumSeries(spectrum, true)}));
    const std::vector<display::ChartPoint> points = chart->points(0);
    ASSERT_EQ(points.size(), spectrum.sampleCount);
    EXPECT_NEAR(points.front().x, 0.0, 0.2) << "calibrated: the smallest value lies near the zero of i × a − b";
    EXPECT_TRUE(find<QLabel>("msspectime")->text().startsWith("0x"));

    // Unchecking "calibrated Display" redraws the spectrum over the sample index.
    find<QCheckBox>("MSCalDisp")->click();
    const std::vector<display::ChartPoint> indexed = chart->points(0);
    ASSERT_EQ(indexed.size(), spectrum.sampleCount);
    EXPECT_EQ(indexed[0].x, 0);
    EXPECT_EQ(indexed[5], (display::ChartPoint{5, double(spectrum.samples.wordOr(5))}));

    // The peaks of the simulated spectrum stand far above its floor.
    const auto highest = std::max_element(indexed.begin(), indexed.end(),
                                          [](const auto& a, const auto& b) { return a.y < b.y; });
    EXPECT_GT(highest->y, 10 * indexed[indexed.size() / 2].y + 10);
}

TEST_F(SpectrumPagesTest, AChromatogramIsSplitIntoColumnSeriesWithLegendEntries)
{
    const NodeId node = choose(firstSpectrum(gcTag));
    Chart* chart = find<Chart>("GCChart");
    EXPECT_EQ(activePage("PageControl1"), "GCtab");
    EXPECT_EQ(chart->title().toStdString(), window.document().tree().text(node));
    ASSERT_GE(chart->seriesCount(), 2);
    EXPECT_EQ(chart->legend->itemCount(), chart->seriesCount());
    EXPECT_TRUE(chart->legend->visible());
    size_t plotted = 0;
    for (int i = 0; i < chart->seriesCount(); ++i) {
        EXPECT_TRUE(chart->series(i)->name().startsWith("Column ")) << i;
        plotted += chart->points(i).size();
    }
    EXPECT_LE(plotted, record(node).sampleCount);
    EXPECT_GT(plotted, 0u);
    EXPECT_TRUE(find<QLabel>("gcspectime")->text().startsWith("0x"));

    // Opening a file frees the chromatogram's series and empties the spectrum; no title or
    // time of a spectrum shown before stands over the emptied charts.
    choose(firstSpectrum(msTag));
    window.openArchive(false);
    EXPECT_EQ(chart->seriesCount(), 0);
    EXPECT_TRUE(find<Chart>("MSChart")->points(0).empty());
    EXPECT_EQ(chart->title(), "");
    EXPECT_EQ(find<Chart>("MSChart")->title(), "\n");
    EXPECT_EQ(find<QLabel>("msspectime")->text(), "-");
    EXPECT_EQ(find<QLabel>("gcspectime")->text(), "-");
}

TEST_F(SpectrumPagesTest, PopupMenusHoldTheirItemsInOrder)
{
    const auto items = [&](const char* menu) {
        QStringList names;
        for (QAction* a : find<QMenu>(menu)->actions())
            names << (a->isSeparator() ? "-" : a->objectName() + " " + a->text());
        return names;
    };
    EXPECT_EQ(items("ChartPopupMenuMS"),
              QStringList({"UndoZoom1 Undo Zoom", "-", "MSCopytoclipboard Copy", "Saveto2 Export ...",
                           "Print1 Print ...", "ChartEditor2 Chart Editor...", "-", " Scales", "-",
                           "CalcDistribution1 Histogram"}));
    EXPECT_EQ(items("ChartPopupMenuGC"),
              QStringList({"copytoClipboard1 Undo Zoom", "-", "GCCopytoclipboard Copy", "Saveto1 Export ...",
                           "Print2 Print ...", "ChartEditor3 Chart Editor...", "-", " Scales"}));

    auto* linear = find<QAction>("Linear2");
    auto* logarithmic = find<QAction>("Logarithmic2");
    EXPECT_TRUE(linear->isChecked());
    logarithmic->trigger();
    EXPECT_TRUE(logarithmic->isChecked());
    EXPECT_FALSE(linear->isChecked());
    EXPECT_TRUE(find<Chart>("GCChart")->isLogarithmic(widgets::ChartAxis::Left));
    EXPECT_FALSE(find<Chart>("MSChart")->isLogarithmic(widgets::ChartAxis::Left));
}

TEST_F(SpectrumPagesTest, HistogramShowsTheIntensitiesOfTheSpectrumOnShow)
{
    find<QCheckBox>("MSCalDisp")->click(); // over the sample index
    const NodeId node = choose(firstSpectrum(msTag));
    find<QAction>("CalcDistribution1")->trigger();
    TForm2* form2 = window.spectrumPages().histogramWindow();
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(form2->windowTitle(), "Histogram");
    const std::vector<display::ChartPoint> bins = form2->chart()->points(0);
    ASSERT_EQ(bins.size(), size_t(record(node).sampleCount) + 1) << "bins 0..B after the point at 0";
    EXPECT_EQ(bins.front(), (display::ChartPoint{0, 0}));
    find<QAbstractButton>("Button1")->click();
    EXPECT_FALSE(form2->isVisible());
}

TEST_F(SpectrumPagesTest, TheChartEditorOpensOnThePageTheMenuAsksFor)
{
    ChartEditor* editor = window.spectrumPages().chartEditor();
    std::vector<ChartEditor::Page> opened;
    const auto openWith = [&](const char* action) {
        QTimer::singleShot(0, editor, [&] {
            opened.push_back(editor->currentPage());
            editor->reject();
        });
        find<QAction>(action)->trigger();
    };
    openWith("ChartEditor3");
    openWith("Print2");
    openWith("ChartEditor2");
    openWith("Saveto2");
    EXPECT_EQ(opened, (std::vector<ChartEditor::Page>{ChartEditor::Page::Main, ChartEditor::Page::PrintPreview,
                                                      ChartEditor::Page::PrintPreview, ChartEditor::Page::Export}));
    EXPECT_EQ(editor->chart(), find<Chart>("MSChart"));
}

TEST_F(SpectrumPagesTest, ExportFromTheChartMenuWritesTheChromatogramsSeriesAsCsv)
{
    choose(firstSpectrum(gcTag));
    Chart* chart = find<Chart>("GCChart");
    ChartEditor* editor = window.spectrumPages().chartEditor();
    const QTemporaryDir dir;
    const QString file = dir.filePath("chromatogram.csv");
    QTimer::singleShot(0, editor, [&] {
        EXPECT_EQ(editor->currentPage(), ChartEditor::Page::Export);
        editor->setExportFormat(widgets::ExportFormat::Csv);
        EXPECT_TRUE(editor->exportTo(file));
        editor->reject();
    });
    find<QAction>("Saveto1")->trigger(); // "Export ..." of the GC chart's menu
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(written.readAll()).split('\n', Qt::SkipEmptyParts);
    qsizetype points = 0;
    for (int i = 0; i < chart->seriesCount(); ++i)
        points += qsizetype(chart->points(i).size());
    ASSERT_EQ(lines.size(), 1 + points);
    EXPECT_EQ(lines.front(), "Series,X,Y");
    EXPECT_TRUE(lines.at(1).startsWith(chart->series(0)->name() + ',')) << lines.at(1).toStdString();
}

TEST_F(SpectrumPagesTest, EveryChartNamesItsAxesItselfAndItsSeriesAsTheUserKnowsThem)
{
    choose(firstSpectrum(msTag));
    const QList<Chart*> charts = window.findChildren<Chart*>();
    EXPECT_EQ(charts.size(), 7) << "spectrum, chromatogram, two test charts, histogram, dump, trend";
    for (const Chart* chart : charts) {
        const std::string name = chart->objectName().toStdString();
        EXPECT_FALSE(chart->xAxis->label().isEmpty()) << name;
        EXPECT_FALSE(chart->yAxis->label().isEmpty()) << name;
        EXPECT_NE(chart->displayName(), "Chart") << name;
        for (int i = 0; i < chart->seriesCount(); ++i)
            EXPECT_FALSE(chart->series(i)->name().startsWith("Series")) << name;
    }
    Chart* ms = find<Chart>("MSChart");
    EXPECT_EQ(ms->xAxis->label(), "m/z");
    EXPECT_EQ(ms->series(0)->name(), "Intensity");
    EXPECT_EQ(ms->seriesData().front().title, display::msSeriesTitle) << "the component's key stays";
    find<QCheckBox>("MSCalDisp")->click();
    EXPECT_EQ(ms->xAxis->label(), "Sample");
    EXPECT_EQ(find<Chart>("GCChart")->xAxis->label(), "Time (s)");
}

TEST_F(SpectrumPagesTest, CopyConfirmsItselfInTheStatusBar)
{
    choose(firstSpectrum(msTag));
    find<QAction>("MSCopytoclipboard")->trigger();
    EXPECT_EQ(window.statusBar()->currentMessage(), "Chart copied to the clipboard");
}

TEST_F(SpectrumPagesTest, SweepsFillTheirLabelsWithRawReadingsAsTooltips)
{
    int row = 0;
    for (NodeId node : window.document().timeListNodes()) {
        if (window.document().tree().kind(node) == NodeKind::GcHkSweep)
            break;
        ++row;
    }
    choose(row);
    EXPECT_EQ(activePage("GCPageControl"), "GCParTabSheet1");
    auto* cold = find<QLabel>("gchksweep_cold");
    EXPECT_TRUE(cold->text().endsWith(" °C")) << cold->text().toStdString();
    EXPECT_TRUE(cold->toolTip().startsWith("0x"));
    EXPECT_EQ(find<QLabel>("tempcoldpart1")->text(), cold->text());
    EXPECT_EQ(find<QLabel>("tempcoldpart1")->toolTip(), cold->toolTip());
    EXPECT_EQ(find<QLabel>("mshksweep_oven")->text(), "-") << "the MS sweep's labels wait for an MS sweep";
}

} // namespace
