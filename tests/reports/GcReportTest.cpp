// The banded report layer and the GC report on it: what lands where on the
// page, the need-data handshake, page breaks, and the PDF file.

#include "tests/reports/GcRecords.h"
#include "reports/QuickReport.h"
#include "reports/Unit5.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <map>

using namespace orvik;
using namespace orvik::reports;
using namespace orvik::test;

namespace {

// A paint device to measure and draw on at `dpi`.
QImage pageImage(int dpi)
{
    const QRectF paper = QuickReport().pageLayout().paintRect(QPageLayout::Millimeter);
    QImage image(int(paper.width() / 25.4 * dpi), int(paper.height() / 25.4 * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

// Every text of a page by the name of its control.
std::multimap<QString, PlacedText> byName(const ReportPage& page)
{
    std::multimap<QString, PlacedText> texts;
    for (const PlacedText& t : page.texts)
        texts.emplace(t.name, t);
    return texts;
}

QStringList textsOf(const std::multimap<QString, PlacedText>& texts, const QString& name)
{
    QStringList found;
    for (auto [it, end] = texts.equal_range(name); it != end; ++it)
        found << it->second.text;
    return found;
}

class GcReportTest : public DocumentTest {
protected:
    void SetUp() override
    {
        open(Archive().add(regularHk()).add(gcRunStream().blocks()), "run 7.cvlbin");
        dataset = doc.tree().children(doc.gcNode()).at(0);
        form.setReportNode(doc.tree(), dataset, QString::fromStdString((dir.path() / "run 7.cvlbin").string()));
    }
    NodeId dataset = noNode;
    TForm5 form;
    QImage device = pageImage(300);
};

TEST_F(GcReportTest, ShowsTheRunOfTheDatasetOnOnePage)
{
    const std::vector<ReportPage> pages = form.QuickRep1->layout(device);
    ASSERT_EQ(pages.size(), 1u);
    const auto texts = byName(pages[0]);
    const std::vector<std::pair<QString, QString>> expected = {
        {"QRLabel1", "GC Report"},     {"filename", "run 7.cvlbin"}, {"wordstocopy", "1234"},
        {"timetoheattenax", "7740"},   {"hksweep", "yes"},           {"duration", "1.02 min"},
        {"injectiontime", "1500 msec"}, {"hetank", "#1"},             {"source", "Error in CFG!"},
        {"headpressure", "0x00DD"},    {"channel1", "3"},            {"channel2", "1"},
        {"channel3", "8"},             {"channel4", "2"}};
    for (const auto& [name, text] : expected)
        EXPECT_EQ(textsOf(texts, name), QStringList{text}) << name.toStdString();
    const QStringList memo = textsOf(texts, "coltempsetpoints");
    ASSERT_EQ(memo.size(), 8);
    EXPECT_EQ(memo.front(), "Col: 0 - 00c8");
    EXPECT_EQ(memo.back(), "Col: 7 - 0008");
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(textsOf(texts, "QRSysData1").value(0))
                    .hasMatch());
    for (const char* caption : {"Device parameter", "Words to copy:", "Time to heat Tenax:",
                                "Column temperature set points:", "Device Configuration", "HK sweeping:", "Duration:",
                                "Injection time:", "He tank:", "Sample source:", "Head pressure:",
                                "DAC channel settings", "Channel 1:", "Channel 4:"})
        EXPECT_TRUE(std::any_of(pages[0].texts.begin(), pages[0].texts.end(),
                                [&](const PlacedText& t) { return t.text == caption; }))
            << caption;
    EXPECT_EQ(form.QuickRep1->progress(), 100);
}

TEST_F(GcReportTest, TheMemoGrowsAndPushesTheChildBandDown)
{
    const ReportPage page = form.QuickRep1->layout(device).at(0);
    const auto texts = byName(page);
    std::vector<QRectF> lines;
    for (auto [it, end] = texts.equal_range("coltempsetpoints"); it != end; ++it)
        lines.push_back(it->second.rect);
    for (size_t i = 1; i < lines.size(); ++i)
        EXPECT_GT(lines[i].top(), lines[i - 1].top());
    const double detailTop = texts.find("QRLabel2")->second.rect.top();
    EXPECT_DOUBLE_EQ(detailTop, 15.6) << "the detail band follows the title band";
    const double memoBottom = lines.back().bottom();
    EXPECT_GT(memoBottom, detailTop + 25.4) << "eight lines do not fit the designed band";
    EXPECT_DOUBLE_EQ(texts.find("QRLabel10")->second.rect.top(), memoBottom + 2)
        << "the child band starts below the grown detail band";
}

TEST_F(GcReportTest, HoldsOneRecordAndAsksOnceMoreToEnd)
{
    std::vector<bool> answers;
    QObject::connect(form.QuickRep1, &QuickReport::needData, [&](bool& more) { answers.push_back(more); });
    for (int run = 0; run < 2; ++run) {
        answers.clear();
        const std::vector<ReportPage> pages = form.QuickRep1->layout(device);
        EXPECT_EQ(answers, std::vector<bool>({true, false})) << "run " << run;
        EXPECT_EQ(textsOf(byName(pages.at(0)), "duration"), QStringList{"1.02 min"});
    }
}

TEST_F(GcReportTest, ANodeWithoutARunPrintsNoDetail)
{
    form.setReportNode(doc.tree(), doc.housekeepingNode(), "x.cvlbin");
    const std::vector<ReportPage> pages = form.QuickRep1->layout(device);
    ASSERT_EQ(pages.size(), 1u);
    const auto texts = byName(pages[0]);
    EXPECT_EQ(texts.count("QRLabel1"), 1u);
    EXPECT_EQ(texts.count("wordstocopy"), 0u);
    EXPECT_EQ(texts.count("QRLabel10"), 0u);
}

TEST_F(GcReportTest, PaintsItsTextsWhereTheyWereLaidOut)
{
    QImage image = pageImage(100);
    const ReportPage page = form.QuickRep1->layout(image).at(0);
    {
        QPainter painter(&image);
        QuickReport::paintPage(painter, page);
    }
    const auto inked = [&](QRectF mm) {
        const QRect r = QRect(int(mm.left() / 25.4 * 100), int(mm.top() / 25.4 * 100), int(mm.width() / 25.4 * 100) + 1,
                      int(mm.height() / 25.4 * 100) + 1) & image.rect();
        int dark = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    const auto texts = byName(page);
    EXPECT_GT(inked(texts.find("QRLabel1")->second.rect), 20);
    EXPECT_GT(inked(texts.find("headpressure")->second.rect), 10);
    EXPECT_EQ(inked(QRectF(0, 150, 190, 120)), 0) << "nothing below the summary band";
}

TEST_F(GcReportTest, SavesAnA4PdfAndReportsAFileItCannotWrite)
{
    const QString file = QString::fromStdString((dir.path() / "report.pdf").string());
    EXPECT_EQ(form.QuickRep1->exportPdf(file), "");
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(QRegularExpression("/MediaBox \\[0 0 595(\\.0*)? 842(\\.0*)?\\]").match(QString::fromLatin1(bytes)).hasMatch());
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1) << "one page";

    const QString missing = QString::fromStdString((dir.path() / "no folder" / "report.pdf").string());
    EXPECT_EQ(form.QuickRep1->exportPdf(missing),
              QStringLiteral("Cannot open \"%1\" for writing: No such file or directory.").arg(missing));
}

// The layer itself: records beyond a page continue on the next one; the title
// band opens the report and the summary band closes it.
TEST(QuickReportTest, BreaksPagesBetweenBandsAndRunsTheHandshake)
{
    QuickReport report;
    ReportBand& title = report.addBand(ReportBand::Type::Title, "Title", 20);
    report.addControl(title, {"heading", ReportControl::Kind::Label, {0, 0, 100, 5}, QFont(), Qt::AlignLeft, "Heading", {}});
    ReportBand& detail = report.addBand(ReportBand::Type::Detail, "Detail", 10);
    report.addControl(detail, {"record", ReportControl::Kind::Label, {0, 2, 100, 5}, QFont(), Qt::AlignLeft, "", {}});
    ReportBand& summary = report.addBand(ReportBand::Type::Summary, "Summary", 30);
    report.addControl(summary, {"end", ReportControl::Kind::Label, {0, 0, 100, 5}, QFont(), Qt::AlignLeft, "End", {}});
    int record = 0;
    QObject::connect(&report, &QuickReport::beforePrint, [&] { record = 0; });
    QObject::connect(&report, &QuickReport::needData, [&](bool& more) {
        more = record < 30;
        report.control("record")->text = QString::number(record++);
    });

    const QImage device = pageImage(72);
    const std::vector<ReportPage> pages = report.layout(device);
    // 277 mm a page: the title and 25 records, then 5 records and the summary.
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].texts.size(), 26u);
    EXPECT_EQ(pages[0].texts.front().text, "Heading");
    EXPECT_EQ(pages[0].texts.back().text, "24");
    EXPECT_DOUBLE_EQ(pages[0].texts.back().rect.top(), 20 + 24 * 10 + 2);
    ASSERT_EQ(pages[1].texts.size(), 6u);
    EXPECT_EQ(pages[1].texts.front().text, "25");
    EXPECT_DOUBLE_EQ(pages[1].texts.front().rect.top(), 2);
    EXPECT_EQ(pages[1].texts.back().text, "End");
    EXPECT_EQ(report.layout(device).size(), 2u) << "every layout runs the report from its start";
}

} // namespace
