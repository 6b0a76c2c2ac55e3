#include "display/widgets/ChartOutput.h"

#include "display/widgets/Chart.h"
#include "display/CsvField.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>

namespace orvik::widgets {

namespace {

QSize sizeOf(const Chart& chart)
{
    return chart.size().isEmpty() ? QSize(640, 400) : chart.size();
}

bool writeSvg(Chart& chart, QIODevice& device)
{
    const QSize size = sizeOf(chart);
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(chart.title());
    QCPPainter painter;
    if (!painter.begin(&generator))
        return false;
    chart.toPainter(&painter, size.width(), size.height());
    return painter.end();
}

QString number(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    return QString::fromLatin1(buffer);
}

// Replaces the file only once every line is written: a failed export leaves no
// file that looks complete.
bool writeCsv(const Chart& chart, const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QByteArray text = "Series,X,Y\n";
    for (int i = 0; i < chart.seriesCount(); ++i) {
        const QString title = QString::fromStdString(display::csvField(chart.series(i)->name().toStdString()));
        for (const display::ChartPoint& p : chart.points(i))
            text += (title + ',' + number(p.x) + ',' + number(p.y) + '\n').toUtf8();
    }
    return file.write(text) == text.size() && file.commit();
}

} // namespace

QByteArray chartSvg(Chart& chart)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    writeSvg(chart, buffer);
    return svg;
}

void copyToClipboard(Chart& chart)
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), chartSvg(chart));
    const QSize size = sizeOf(chart);
    data->setImageData(chart.toPixmap(size.width(), size.height()).toImage());
    QGuiApplication::clipboard()->setMimeData(data);
}

QString extensionOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Png: return QStringLiteral("png");
    case ExportFormat::Svg: return QStringLiteral("svg");
    case ExportFormat::Pdf: return QStringLiteral("pdf");
    case ExportFormat::Csv: return QStringLiteral("csv");
    }
    return {};
}

bool exportChart(Chart& chart, const QString& fileName, ExportFormat format)
{
    const QSize size = sizeOf(chart);
    switch (format) {
    case ExportFormat::Png: return chart.savePng(fileName, size.width(), size.height());
    case ExportFormat::Pdf: return chart.savePdf(fileName, size.width(), size.height());
    case ExportFormat::Svg: {
        QFile file(fileName);
        return file.open(QIODevice::WriteOnly) && writeSvg(chart, file) && file.flush();
    }
    case ExportFormat::Csv: return writeCsv(chart, fileName);
    }
    return false;
}

void printChart(Chart& chart, QPrinter& printer)
{
    QCPPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(page.width() * 0.05, page.height() * 0.10, page.width() * 0.90, page.height() * 0.80);
    const QSize size = sizeOf(chart);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.translate(area.topLeft());
    painter.scale(area.width() / size.width(), area.height() / size.height());
    chart.toPainter(&painter, size.width(), size.height());
    painter.end();
}

} // namespace orvik::widgets
