#pragma once
// A chart leaving the window: on the clipboard, in a file, on paper.

#include <QString>

class QPaintDevice;
class QPrinter;
class QSize;

namespace orvik::widgets {

class Chart;

enum class ExportFormat { Png, Svg, Pdf, Csv };

// The chart as a vector picture (SVG) and as a bitmap, so that it pastes into
// office programs on every platform.
void copyToClipboard(Chart& chart);
// The chart drawn as SVG at its size on screen.
QByteArray chartSvg(Chart& chart);
// Writes the chart (PNG, SVG, PDF) or its series' points (CSV: series, x, y a line).
bool exportChart(Chart& chart, const QString& fileName, ExportFormat format);
// The file-name extension of a format, without the dot.
QString extensionOf(ExportFormat format);
// The name with the characters file systems refuse replaced by '_', to propose as a file name.
QString safeFileName(QString name);
// The file name an export offers: the chart's display name made safe (safeFileName) and the format's extension.
QString defaultFileName(const Chart& chart, ExportFormat format);
// Draws the chart across the page, inside margins of 5, 10, 5 and 10 percent
// (left, top, right, bottom), stretched to fill them: laid out as on the screen,
// its texts in the same proportion to it, at the device's resolution.
void paintChartPage(Chart& chart, QPaintDevice& device, const QSize& page);
// paintChartPage on the printer's page.
void printChart(Chart& chart, QPrinter& printer);

} // namespace orvik::widgets
