#include "reports/Unit5.h"

#include "reports/GcReportValues.h"

#include <QFileInfo>
#include <QLocale>

#include <span>

using namespace orvik;

namespace orvik::reports {

namespace {

QFont arial(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

constexpr double bandWidth = 190; // A4 less the margins
constexpr double lineHeight = 4.5;
constexpr double rightColumn = 95;

ReportControl label(const QString& name, const QString& text, QRectF rect, const QFont& font = arial(8),
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    return {name, ReportControl::Kind::Label, rect, font, alignment, text, {}};
}

// A caption and the value field that the report fills, on one line.
struct LabelPair {
    const char* caption;
    const char* name;
    const char* placeholder;
};

constexpr double firstLineTop = 6; // below the band's heading

// The pairs one a line down the band's left column, the captions numbered QRLabel<n>
// from `n` on; returns the next free number.
int addLabelPairs(QuickReport& report, ReportBand& band, std::span<const LabelPair> pairs, int n, double valueWidth)
{
    double top = firstLineTop;
    for (const LabelPair& p : pairs) {
        report.addControl(band, label(QStringLiteral("QRLabel%1").arg(n++), p.caption, {0, top, 40, 4}));
        report.addControl(band, label(p.name, p.placeholder, {42, top, valueWidth, 4}));
        top += lineHeight;
    }
    return n;
}

// The user's decimal separator where it is a single character of the C locale's set.
char decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128 ? char(point.at(0).unicode()) : '.';
}

} // namespace

TForm5::TForm5(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Form5"));
    QuickRep1 = new QuickReport(this);
    QuickRep1->setObjectName(QStringLiteral("QuickRep1"));
    QuickRep1->setTitle(QString::fromLatin1(caption));
    QuickRep1->setMargins(10);
    buildTitleBand();
    buildDetailBand();
    buildChildBand();
    QuickRep1->addBand(ReportBand::Type::Summary, QStringLiteral("SummaryBand1"), 10.58);
    connect(QuickRep1, &QuickReport::beforePrint, this, &TForm5::QuickRep1BeforePrint);
    connect(QuickRep1, &QuickReport::needData, this, &TForm5::QuickRep1NeedData);
}

void TForm5::buildTitleBand()
{
    ReportBand& band = QuickRep1->addBand(ReportBand::Type::Title, QStringLiteral("TitleBand2"), 15.6);
    QuickRep1->addControl(band, label(QStringLiteral("QRLabel1"), QStringLiteral("GC Report"), {0, 0, bandWidth, 5},
                                      arial(10, true), Qt::AlignHCenter | Qt::AlignTop));
    QuickRep1->addControl(band, label(QStringLiteral("filename"), QStringLiteral("Filename"), {0, 6, bandWidth, 4},
                                      arial(8), Qt::AlignHCenter | Qt::AlignTop));
    ReportControl date = label(QStringLiteral("QRSysData1"), {}, {bandWidth - 50, 0, 50, 4}, arial(8),
                               Qt::AlignRight | Qt::AlignTop);
    date.kind = ReportControl::Kind::SysData;
    QuickRep1->addControl(band, date);
}

void TForm5::buildDetailBand()
{
    ReportBand& band = QuickRep1->addBand(ReportBand::Type::Detail, QStringLiteral("DetailBand2"), 25.4);
    QuickRep1->addControl(band, label(QStringLiteral("QRLabel2"), QStringLiteral("Device parameter"), {0, 0, 60, 4},
                                      arial(8, true)));
    const LabelPair pairs[] = {{"Words to copy:", "wordstocopy", "0"},
                               {"Time to heat Tenax:", "timetoheattenax", "0 (sec)"}};
    const int n = addLabelPairs(*QuickRep1, band, pairs, 3, 40);
    QuickRep1->addControl(band, label(QStringLiteral("QRLabel%1").arg(n), QStringLiteral("Column temperature set points:"),
                                      {rightColumn, 0, 80, 4}));
    ReportControl memo = label(QStringLiteral("coltempsetpoints"), {}, {rightColumn, 5, 60, 18});
    memo.kind = ReportControl::Kind::Memo;
    QuickRep1->addControl(band, memo);
}

void TForm5::buildChildBand()
{
    ReportBand& band = QuickRep1->addBand(ReportBand::Type::Child, QStringLiteral("ChildBand2"), 44.45);
    QuickRep1->addControl(band, label(QStringLiteral("QRLabel10"), QStringLiteral("Device Configuration"),
                                      {0, 0, 60, 4}, arial(8, true)));
    const LabelPair pairs[] = {{"HK sweeping:", "hksweep", "disabled"}, {"Duration:", "duration", "1 (min)"},
                               {"Injection time:", "injectiontime", "1 msec"}, {"He tank:", "hetank", "#1"},
                               {"Sample source:", "source", "Oven"}, {"Head pressure:", "headpressure", "0x00DD"}};
    int n = addLabelPairs(*QuickRep1, band, pairs, 11, 45);
    QuickRep1->addControl(band, label(QStringLiteral("QRLabel%1").arg(n++), QStringLiteral("DAC channel settings"),
                                      {rightColumn, 0, 60, 4}));
    double top = firstLineTop;
    for (int channel = 1; channel <= 4; ++channel) {
        QuickRep1->addControl(band, label(QStringLiteral("QRLabel%1").arg(n++), QStringLiteral("Channel %1:").arg(channel),
                                          {rightColumn, top, 25, 4}));
        QuickRep1->addControl(band, label(QStringLiteral("channel%1").arg(channel), QStringLiteral("Column 1"),
                                          {rightColumn + 27, top, 30, 4}));
        top += lineHeight;
    }
}

void TForm5::setReportNode(const CategoryTree& tree, NodeId node, const QString& archiveFileName)
{
    tree_ = &tree;
    reportNode_ = node;
    archiveFileName_ = archiveFileName;
}

void TForm5::QuickRep1BeforePrint()
{
    recordDelivered_ = false;
}

void TForm5::setText(const char* control, const std::string& text)
{
    QuickRep1->control(QString::fromLatin1(control))->text = QString::fromStdString(text);
}

// The report holds one record: the GC run of the report node.
void TForm5::QuickRep1NeedData(bool& moreData)
{
    const std::optional<GcRun> run = tree_ ? gcRunOf(*tree_, reportNode_) : std::nullopt;
    if (recordDelivered_ || !run) {
        QuickRep1->setProgress(100);
        moreData = false;
        return;
    }
    QuickRep1->control(QStringLiteral("filename"))->text = QFileInfo(archiveFileName_).fileName();
    const GcReportValues v = gcReportValues(*run, decimalSeparator());
    setText("timetoheattenax", v.timeToHeatTenax);
    setText("wordstocopy", v.wordsToCopy);
    QStringList lines;
    for (const std::string& line : v.colTempSetPoints)
        lines << QString::fromStdString(line);
    QuickRep1->control(QStringLiteral("coltempsetpoints"))->lines = lines;
    setText("hksweep", v.hkSweep);
    setText("duration", v.duration);
    setText("injectiontime", v.injectionTime);
    setText("hetank", v.heTank);
    setText("source", v.source);
    setText("headpressure", v.headPressure);
    for (int i = 0; i < 4; ++i)
        setText(qPrintable(QStringLiteral("channel%1").arg(i + 1)), v.channels[size_t(i)]);
    recordDelivered_ = true;
    moreData = true;
}

} // namespace orvik::reports
