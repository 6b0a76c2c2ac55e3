#pragma once
// A small banded report engine: a title band, detail bands (each with an
// optional child band) repeated record by record, and a summary band, laid out
// on A4 portrait pages with millimetre margins. Bands hold labels, memos that
// grow with their lines and a date-and-time field. The report supplies its
// records through the need-data handshake; the laid-out pages can be painted
// on a printer, a PDF file or an image.

#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QPageLayout>
#include <QRectF>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace orvik::reports {

// A control of a band, placed in millimetres from the band's top left corner.
struct ReportControl {
    enum class Kind {
        Label,   // one line of text
        Memo,    // lines below each other; grows downwards with them
        SysData, // the date and time the report is laid out
    };
    QString name;
    Kind kind = Kind::Label;
    QRectF rect;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QString text;      // labels
    QStringList lines; // memos
};

struct ReportBand {
    enum class Type { Title, Detail, Child, Summary };
    QString name;
    Type type = Type::Detail;
    double height = 0; // mm; the band grows when its controls need more
    std::vector<ReportControl> controls;
};

// One text as it lands on a page, in millimetres from the top left corner of the
// area inside the margins.
struct PlacedText {
    QString name; // of its control (a memo's lines share it)
    QString text;
    QRectF rect;
    QFont font;
    Qt::Alignment alignment;
};

struct ReportPage {
    std::vector<PlacedText> texts;
};

class QuickReport : public QObject {
    Q_OBJECT
public:
    explicit QuickReport(QObject* parent = nullptr);

    // The report's title, the document title of its PDF files.
    void setTitle(const QString& title) { title_ = title; }
    QString title() const { return title_; }
    // A4 portrait with the given margins in millimetres.
    void setMargins(double millimetres) { margins_ = millimetres; }
    QPageLayout pageLayout() const;

    ReportBand& addBand(ReportBand::Type type, const QString& name, double height);
    ReportControl& addControl(ReportBand& band, const ReportControl& control);
    ReportControl* control(const QString& name);
    const ReportBand* band(const QString& name) const;

    // The print progress in percent; the report sets it as it goes.
    int progress() const { return progress_; }
    void setProgress(int percent) { progress_ = percent; }
    // The time the last layout began, shown by the date-and-time fields.
    QDateTime printTime() const { return printTime_; }
    static QString sysDataText(const QDateTime& time);

    // Runs the report and lays it out, measuring text as `device` will draw it.
    std::vector<ReportPage> layout(const QPaintDevice& device);
    // Runs the report onto a printer or a PDF writer, one page after another.
    // False when the device cannot be painted on (a PDF file that cannot be written).
    bool print(QPagedPaintDevice& device);
    // Writes the report as a PDF file. Empty on success, otherwise why not.
    QString exportPdf(const QString& fileName);
    // Paints one laid-out page, the margins' top left corner at the painter's origin.
    static void paintPage(QPainter& painter, const ReportPage& page);

signals:
    // Before the report runs: the report resets what it has delivered.
    void beforePrint();
    // The request for the next detail record: `moreData` comes cleared; the
    // report sets it when it has filled the bands with one more record.
    void needData(bool& moreData);

private:
    class Layouter;

    QString title_;
    double margins_ = 10;
    int progress_ = 0;
    QDateTime printTime_;
    std::vector<std::unique_ptr<ReportBand>> bands_;
};

} // namespace orvik::reports
