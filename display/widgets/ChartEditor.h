#pragma once
// The chart editor dialog the charts share, pointed at one chart at a time. It
// opens on its default page: the main page (titles, axis ranges and scales, the
// series' visibility and colours; series are never added, deleted or cloned), the
// export page (PNG, SVG, PDF, the series' points as CSV, and formats a chart's owner
// adds for that chart) or the print preview.

#include "display/widgets/ChartOutput.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPlainTextEdit;
class QPrintPreviewWidget;
class QPrinter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace orvik::widgets {

class Chart;
enum class ChartAxis;

// A format the owner of a chart writes for it (the data behind the curve, say): the
// chart layer knows only its names.
struct ChartFileFormat {
    QString caption;   // on the export page: "Spectrum data (mzML)"
    QString filter;    // in the save dialog: "mzML (*.mzML)"
    QString extension; // of the file name offered, without the dot
    // Writes the file; the reason it failed, in one line, or nothing.
    std::function<std::optional<QString>(const QString& fileName)> write;
};

class ChartEditor : public QDialog {
    Q_OBJECT
public:
    enum class Page { Main, Export, PrintPreview };

    explicit ChartEditor(QWidget* parent = nullptr);
    ~ChartEditor() override;

    void setChart(Chart* chart);
    Chart* chart() const { return chart_; }
    // The page the dialog opens on; it stays until set again.
    void setDefaultPage(Page page) { defaultPage_ = page; }
    Page defaultPage() const { return defaultPage_; }
    Page currentPage() const;

    // Shows the dialog (modal) for the chart on its default page.
    int execute();

    // The export page's "Save...": writes the chart in the chosen format, reports a failure.
    bool exportTo(const QString& fileName);
    void setExportFormat(ExportFormat format);
    // Offers `format` on the export page, after the editor's own, while the editor shows
    // `chart`, which must outlive the editor.
    void addExportFormat(Chart* chart, ChartFileFormat format);

private:
    struct AxisControls {
        QCheckBox* automatic;
        QDoubleSpinBox* minimum;
        QDoubleSpinBox* maximum;
        QCheckBox* logarithmic;
    };

    QWidget* buildMainPage();
    QWidget* buildExportPage();
    QWidget* buildPrintPage();
    void addAxisControls(QVBoxLayout* layout, const QString& caption, ChartAxis axis);
    void readChart();
    // The export page's formats for the chart shown, the one chosen kept where it is offered.
    void listExportFormats();
    // The added format chosen on the export page, or none when one of the editor's own is.
    const ChartFileFormat* chosenAddedFormat() const;
    void readAxis(ChartAxis axis);
    void axisRangeEdited(ChartAxis axis);
    void seriesItemChanged(QTreeWidgetItem* item, int column);
    void chooseColour(QTreeWidgetItem* item, int column);
    void saveAs();
    void print();
    void showPreview();

    Chart* chart_ = nullptr;
    Page defaultPage_ = Page::Main;
    QTabWidget* pages_ = nullptr;
    QPlainTextEdit* title_ = nullptr;
    AxisControls axes_[2] = {};
    QTreeWidget* series_ = nullptr;
    QComboBox* format_ = nullptr;
    struct AddedFormat {
        Chart* chart;
        ChartFileFormat format;
    };
    std::vector<AddedFormat> addedFormats_;
    QWidget* printPage_ = nullptr;
    QPrinter* printer_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
    bool reading_ = false;
};

} // namespace orvik::widgets
