#pragma once
// The "Spectrum" pages of "MS" and "GC": the charts MSChart and GCChart, their
// tool bars with the drop-down pop-up menus, the time labels, the check box
// "calibrated Display", and the windows the menus open (the histogram window
// TForm2 and the chart editor ChartEditor1).

#include "display/widgets/ChartEditor.h"
#include "display/ComponentModel.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QMenu;
class QTabWidget;

namespace orvik::widgets {
class Chart;
class TForm2;
} // namespace orvik::widgets

namespace orvik::app {

class SpectrumPages : public QObject {
    Q_OBJECT
public:
    // `redisplay` shows the current node again, if there is one.
    SpectrumPages(QTabWidget& mainPages, orvik::display::ComponentModel& components, std::function<void()> redisplay,
                  QWidget* window);

    orvik::widgets::Chart* msChart() const { return msChart_; }
    orvik::widgets::Chart* gcChart() const { return gcChart_; }
    widgets::TForm2* histogramWindow() const { return form2_; }
    orvik::widgets::ChartEditor* chartEditor() const { return chartEditor1_; }

private:
    struct MenuNames;
    void buildMsPage(QWidget* page);
    void buildGcPage(QWidget* page);
    // A chart's pop-up menu: undo zoom, copy, export, print, chart editor, scales.
    QMenu* buildChartMenu(const MenuNames& names, orvik::widgets::Chart* chart, QWidget* parent);

    void MSCalDispClick();
    void CalcDistribution1Click();
    // The editor pointed at the chart, opened on its default page after `page` (if given) became it.
    void openChartEditor(orvik::widgets::Chart* chart, std::optional<orvik::widgets::ChartEditor::Page> page);

    orvik::display::ComponentModel& components_;
    std::function<void()> redisplay_;
    orvik::widgets::Chart* msChart_ = nullptr;
    orvik::widgets::Chart* gcChart_ = nullptr;
    QCheckBox* msCalDisp_ = nullptr;
    widgets::TForm2* form2_ = nullptr;
    orvik::widgets::ChartEditor* chartEditor1_ = nullptr;
};

} // namespace orvik::app
