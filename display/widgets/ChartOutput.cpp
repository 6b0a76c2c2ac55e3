#include "display/widgets/ChartOutput.h"

#include "display/widgets/Chart.h"
#include "display/CsvField.h"
#include "display/WordFormat.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>
#include <functional>
#include <vector>

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

// Nine significant digits with a point, whatever the regional settings: the comma separates the columns.
QString number(double v)
{
    return QString::fromStdString(display::generalDigits(v, 9));
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

// The chart's texts sized in pixels of the screen while it is drawn elsewhere. A
// point size is resolved at the resolution of the device drawn on: on a printer
// the texts would grow by its resolution over the screen's and spill out of the
// room the chart laid out for them on the screen.
class PixelFonts {
public:
    explicit PixelFonts(Chart& chart) : chart_(chart)
    {
        const double dpi = chart.logicalDpiY();
        auto inPixels = [&](QFont font, std::function<void(const QFont&)> set) {
            if (font.pointSizeF() > 0) {
                restore_.push_back([set, font] { set(font); });
                font.setPixelSize(std::max(1, qRound(font.pointSizeF() * dpi / 72)));
                set(font);
            }
        };
        for (QCPLayoutElement* element : chart.plotLayout()->elements(true)) {
            if (auto* text = qobject_cast<QCPTextElement*>(element))
                inPixels(text->font(), [text](const QFont& f) { text->setFont(f); });
            else if (auto* legend = qobject_cast<QCPLegend*>(element))
                inPixels(legend->font(), [legend](const QFont& f) { legend->setFont(f); });
            else if (auto* entry = qobject_cast<QCPAbstractLegendItem*>(element))
                inPixels(entry->font(), [entry](const QFont& f) { entry->setFont(f); });
            else if (auto* rect = qobject_cast<QCPAxisRect*>(element))
                for (QCPAxis* axis : rect->axes()) {
                    inPixels(axis->labelFont(), [axis](const QFont& f) { axis->setLabelFont(f); });
                    inPixels(axis->tickLabelFont(), [axis](const QFont& f) { axis->setTickLabelFont(f); });
                }
        }
        for (int i = 0; i < chart.itemCount(); ++i)
            if (auto* text = qobject_cast<QCPItemText*>(chart.item(i)))
                inPixels(text->font(), [text](const QFont& f) { text->setFont(f); });
    }
    ~PixelFonts()
    {
        for (const auto& restore : restore_)
            restore();
        chart_.replot(QCustomPlot::rpQueuedReplot);
    }

private:
    Chart& chart_;
    std::vector<std::function<void()>> restore_;
};

} // namespace

QByteArray chartSvg(Chart& chart)
{
    chart.hideReadout();
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    writeSvg(chart, buffer);
    return svg;
}

void copyToClipboard(Chart& chart)
{
    chart.hideReadout();
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

QString safeFileName(QString name)
{
    static const QRegularExpression refused(R"([\\/:*?"<>|\x00-\x1f])");
    return name.replace(refused, "_");
}

QString defaultFileName(const Chart& chart, ExportFormat format)
{
    return safeFileName(chart.displayName()) + '.' + extensionOf(format);
}

bool exportChart(Chart& chart, const QString& fileName, ExportFormat format)
{
    chart.hideReadout();
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

void paintChartPage(Chart& chart, QPaintDevice& device, const QSize& page)
{
    chart.hideReadout();
    QCPPainter painter;
    if (!painter.begin(&device))
        return;
    const QRectF area(page.width() * 0.05, page.height() * 0.10, page.width() * 0.90, page.height() * 0.80);
    const QSize size = sizeOf(chart);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.translate(area.topLeft());
    painter.scale(area.width() / size.width(), area.height() / size.height());
    const PixelFonts screenSized(chart);
    chart.toPainter(&painter, size.width(), size.height());
    painter.end();
}

void printChart(Chart& chart, QPrinter& printer)
{
    paintChartPage(chart, printer, printer.pageLayout().paintRectPixels(printer.resolution()).size());
}

} // namespace orvik::widgets
