// The chart editor acting on the chart it points at, and the histogram window.

#include "tests/app/ModalAnswers.h"
#include "tests/archive/ArchiveBuilder.h"
#include "display/widgets/Chart.h"
#include "display/widgets/ChartEditor.h"
#include "display/widgets/Unit2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

using namespace orvik::widgets;
using orvik::display::ChartPoint;

namespace {

class ChartEditorTest : public ::testing::Test {
protected:
    ChartEditorTest() : chart("GCChart")
    {
        chart.resize(400, 300);
        chart.addSeries("Column 1 Low", SeriesStyle::Line);
        chart.addSeries("Column 1 High", SeriesStyle::Line);
        chart.setPoints(0, std::vector<ChartPoint>{{0, 1}, {1, 2}});
        editor.setChart(&chart);
    }
    template <class T>
    T* find(const char* name)
    {
        T* found = editor.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Opens the editor modally and runs `check` while it is open.
    void whileOpen(const std::function<void()>& check)
    {
        QTimer::singleShot(0, &editor, [&] {
            check();
            editor.reject();
        });
        editor.execute();
    }

    Chart chart;
    ChartEditor editor;
    orvik::test::TempDir dir;
};

TEST_F(ChartEditorTest, TheMainPageEditsTitleScalesAndSeriesVisibility)
{
    whileOpen([&] {
        EXPECT_EQ(editor.currentPage(), ChartEditor::Page::Main);
        find<QPlainTextEdit>("ChartEditorTitle")->setPlainText("Column test");
        auto* series = find<QTreeWidget>("ChartEditorSeries");
        ASSERT_EQ(series->topLevelItemCount(), 2);
        EXPECT_EQ(series->topLevelItem(1)->text(0), "Column 1 High");
        series->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        for (QCheckBox* box : editor.findChildren<QCheckBox*>())
            if (box->text() == "Logarithmic" && !box->isChecked()) {
                box->setChecked(true);
                break;
            }
    });
    EXPECT_EQ(chart.title(), "Column test");
    EXPECT_TRUE(chart.series(0)->visible());
    EXPECT_FALSE(chart.series(1)->visible());
    EXPECT_TRUE(chart.isLogarithmic(ChartAxis::Left));
}

TEST_F(ChartEditorTest, TheExportPageWritesTheSeriesAsCsv)
{
    editor.setDefaultPage(ChartEditor::Page::Export);
    whileOpen([&] { EXPECT_EQ(editor.currentPage(), ChartEditor::Page::Export); });
    editor.setExportFormat(ExportFormat::Csv);
    const QString file = QString::fromStdString((dir.path() / "gc.csv").string());
    ASSERT_TRUE(editor.exportTo(file));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "Series,X,Y\nColumn 1 Low,0,1\nColumn 1 Low,1,2\n");
}

TEST_F(ChartEditorTest, AFormatAddedForAChartIsOfferedForItAloneAndWrittenByItsOwner)
{
    QStringList written;
    editor.addExportFormat(&chart, {"Curve data (mzML)", "mzML (*.mzML)", "mzML", [&](const QString& file) {
                                        written << file;
                                        return std::optional<QString>();
                                    }});
    auto* format = find<QComboBox>("ChartEditorFormat");
    const auto captions = [format] {
        QStringList texts;
        for (int i = 0; i < format->count(); ++i)
            texts << format->itemText(i);
        return texts;
    };
    EXPECT_EQ(captions(), QStringList({"Picture (PNG)", "Vector picture (SVG)", "Document (PDF)",
                                       "Series data (CSV)", "Curve data (mzML)"}));
    format->setCurrentText("Curve data (mzML)");
    const QString file = QString::fromStdString((dir.path() / "curve.mzML").string());
    EXPECT_TRUE(editor.exportTo(file));
    EXPECT_EQ(written, QStringList{file});

    Chart other("MSChart");
    editor.setChart(&other);
    EXPECT_EQ(captions().size(), 4) << "not for another chart";
    EXPECT_EQ(format->currentIndex(), 0);
    editor.setChart(&chart);
    EXPECT_EQ(captions().size(), 5);
    // The editor's own formats are written as before.
    editor.setExportFormat(ExportFormat::Csv);
    const QString csv = QString::fromStdString((dir.path() / "curve.csv").string());
    EXPECT_TRUE(editor.exportTo(csv));
    EXPECT_TRUE(QFile::exists(csv));
    EXPECT_EQ(written.size(), 1);
}

TEST_F(ChartEditorTest, AnAddedFormatIsSavedUnderItsFilterAndItsFailureToldWithTheReason)
{
    chart.setTitle("GC 4: record");
    editor.addExportFormat(&chart, {"Curve data (mzML)", "mzML (*.mzML)", "mzML",
                                    [](const QString&) { return std::optional<QString>("the disk is full"); }});
    QStringList filters;
    QString proposed, message;
    ModalAnswers answers({[&](QWidget* modal) {
                              auto* dialog = qobject_cast<QFileDialog*>(modal);
                              ASSERT_NE(dialog, nullptr);
                              filters = dialog->nameFilters();
                              proposed = dialog->selectedFiles().value(0);
                              dialog->findChild<QLineEdit*>("fileNameEdit")->setText(
                                  QString::fromStdString((dir.path() / "gc.mzML").string()));
                              QMetaObject::invokeMethod(dialog, "accept");
                          },
                          [&](QWidget* modal) {
                              auto* box = qobject_cast<QMessageBox*>(modal);
                              ASSERT_NE(box, nullptr);
                              message = box->text();
                              box->accept();
                          }});
    find<QComboBox>("ChartEditorFormat")->setCurrentText("Curve data (mzML)");
    for (QPushButton* button : editor.findChildren<QPushButton*>())
        if (button->text() == "&Save...")
            button->click();
    EXPECT_EQ(answers.opened, (std::vector<std::string>{"QFileDialog", "QMessageBox"}));
    EXPECT_EQ(filters, QStringList{"mzML (*.mzML)"});
    EXPECT_TRUE(proposed.endsWith("/GC 4_ record.mzML")) << proposed.toStdString();
    EXPECT_EQ(message, "the disk is full");
}

TEST(ChartEditorNamesTest, TheCaptionAndAnExportNameTheChartAsTheUserKnowsIt)
{
    QMainWindow window;
    Chart chart("MSChart");
    chart.setDisplayName("Mass spectrum");
    ChartEditor editor(&window);
    editor.setChart(&chart);
    EXPECT_EQ(editor.windowTitle(), "Editing Mass spectrum");
    chart.setTitle("Spectrum 11 (2048 smp)");
    editor.setChart(&chart);
    EXPECT_EQ(editor.windowTitle(), "Editing Spectrum 11 (2048 smp)");

    // The export confirms itself in the main window's status bar.
    orvik::test::TempDir dir;
    const QString file = QString::fromStdString((dir.path() / "s.csv").string());
    editor.setExportFormat(ExportFormat::Csv);
    ASSERT_TRUE(editor.exportTo(file));
    EXPECT_EQ(window.statusBar()->currentMessage(), "Exported Spectrum 11 (2048 smp) to " + file);
}

TEST_F(ChartEditorTest, ThePrintPreviewPageShowsTheChart)
{
    editor.setDefaultPage(ChartEditor::Page::PrintPreview);
    whileOpen([&] {
        EXPECT_EQ(editor.currentPage(), ChartEditor::Page::PrintPreview);
        auto* preview = find<QPrintPreviewWidget>("ChartEditorPreview");
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->pageCount(), 1);
    });
    EXPECT_EQ(editor.defaultPage(), ChartEditor::Page::PrintPreview) << "the page stays the default";
}

TEST(HistogramWindowTest, FillsBinsUpToTheLargestSampleIndex)
{
    QWidget main;
    TForm2 form2(&main);
    EXPECT_EQ(form2.windowTitle(), "Histogram");
    EXPECT_EQ(form2.chart()->title(), "TChart");
    EXPECT_TRUE(form2.chart()->isLogarithmic(ChartAxis::Left));
    EXPECT_TRUE(form2.chart()->isLogarithmic(ChartAxis::Bottom));
    EXPECT_EQ(form2.chart()->legendPlacement(), LegendPlacement::Hidden);
    EXPECT_EQ(form2.chart()->xAxis->label(), "Intensity");
    EXPECT_EQ(form2.chart()->yAxis->label(), "Count");
    EXPECT_EQ(form2.chart()->series(0)->name(), "Count");

    form2.showOverMainWindow();
    form2.fillHistogram(std::vector<ChartPoint>{{0, 0}, {1, 1}, {2, 1}, {3, 7}});
    EXPECT_EQ(form2.chart()->points(0), (std::vector<ChartPoint>{{0, 0}, {1, 1}, {2, 2}, {3, 0}, {4, 0}}));
    EXPECT_TRUE(form2.isVisible());
    form2.findChild<QPushButton*>("Button1")->click();
    EXPECT_FALSE(form2.isVisible());
}

} // namespace
