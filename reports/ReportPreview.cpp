#include "reports/ReportPreview.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvik::reports {

ReportPreview::ReportPreview(QuickReport& report, const QString& title, QWidget* parent)
    : QDialog(parent), report_(report)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(title);
    resize(700, 850);
    printer_.setPageLayout(report.pageLayout());
    printer_.setDocName(title);

    preview_ = new QPrintPreviewWidget(&printer_, this);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) { report_.print(*printer); });

    auto* tools = new QToolBar(this);
    tools->addAction(QStringLiteral("&Print..."), this, &ReportPreview::printReport)->setObjectName(QStringLiteral("PrintAction"));
    tools->addAction(QStringLiteral("Save as &PDF..."), this, &ReportPreview::saveAsPdf)
        ->setObjectName(QStringLiteral("SavePdfAction"));
    tools->addSeparator();
    tools->addAction(QStringLiteral("Zoom in"), preview_, [this] { preview_->zoomIn(); });
    tools->addAction(QStringLiteral("Zoom out"), preview_, [this] { preview_->zoomOut(); });
    tools->addAction(QStringLiteral("Whole page"), preview_, &QPrintPreviewWidget::fitInView);
    tools->addSeparator();
    tools->addAction(QStringLiteral("&Close"), this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tools);
    layout->addWidget(preview_);
}

void ReportPreview::printReport()
{
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!report_.print(printer_))
        QMessageBox::warning(this, windowTitle(), QStringLiteral("The report could not be printed."));
}

void ReportPreview::saveAsPdf()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), {}, QStringLiteral("PDF (*.pdf)"));
    if (fileName.isEmpty())
        return;
    const QString error = report_.exportPdf(fileName);
    if (!error.isEmpty())
        QMessageBox::warning(this, windowTitle(), error);
}

void previewReport(QuickReport& report, const QString& title, QWidget* parent)
{
    ReportPreview preview(report, title, parent);
    preview.exec();
}

} // namespace orvik::reports
