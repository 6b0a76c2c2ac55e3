#pragma once
// TrendForm, the "Housekeeping Trend" window: housekeeping parameters chosen
// from the 94 (a searchable list with check boxes) plotted over the opened
// archive, one series per parameter, on-board time along the bottom axis in UTC.
// It follows the archive: what it plots is extracted again after every open,
// and only while the window is shown; what a followed file brings is added.

#include "archive/CategoryTree.h"
#include "display/widgets/ChartEditor.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace orvik {
class ArchiveDocument;
}
namespace orvik::display {
struct HkParameter;
}

namespace orvik::widgets {

class Chart;

class TrendForm : public QWidget {
    Q_OBJECT
public:
    TrendForm(const orvik::ArchiveDocument& doc, QWidget* mainWindow);

    // Shows the window (non-modal) in front of the main window.
    void showOverMainWindow();
    // The archive was opened again (or failed to open): plots its series.
    void reload();
    // The document took in more of a followed file: the new samples join the series.
    // When nodes went as well, every series is taken afresh.
    void documentGrew(bool nodesWent);

    // Checks or unchecks the parameter's entry in the list; false for an unknown mnemonic.
    bool setParameterChecked(const QString& mnemonic, bool checked);

    orvik::widgets::Chart* chart() const { return chart_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // One series per checked parameter, in the list's order.
    void plotChecked();
    // The checked parameters, in the list's order: the series' order.
    std::vector<const display::HkParameter*> checkedParameters() const;
    // Hides the entries whose mnemonic and description do not hold the text.
    void filterParameters(const QString& text);
    void openChartEditor(orvik::widgets::ChartEditor::Page page);

    const orvik::ArchiveDocument& doc_;
    QLineEdit* search_ = nullptr;
    QListWidget* parameters_ = nullptr;
    QCheckBox* logarithmic_ = nullptr;
    orvik::widgets::Chart* chart_ = nullptr;
    orvik::widgets::ChartEditor* editor_ = nullptr;
    // The nodes the series were taken from: those below this mark.
    orvik::CategoryTree::Mark plotted_;
};

} // namespace orvik::widgets
