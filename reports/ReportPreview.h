#pragma once
// The preview window of a report: pages as they will be printed, zoom, and
// from there printing on a printer or saving as a PDF file.

#include "reports/QuickReport.h"

#include <QDialog>
#include <QPrinter>

class QPrintPreviewWidget;

namespace orvik::reports {

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(QuickReport& report, const QString& title, QWidget* parent = nullptr);

    void printReport();
    void saveAsPdf();

private:
    QuickReport& report_;
    QPrinter printer_{QPrinter::HighResolution};
    QPrintPreviewWidget* preview_ = nullptr;
};

// Shows the report's preview and returns when the user closes it.
void previewReport(QuickReport& report, const QString& title, QWidget* parent);

} // namespace orvik::reports
