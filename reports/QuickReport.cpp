#include "reports/QuickReport.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace orvik::reports {

namespace {
constexpr double millimetresPerInch = 25.4;
// A band that grows keeps this gap below its lowest control.
constexpr double grownBandGap = 2;

double dotsPerMm(const QPaintDevice& device)
{
    return device.logicalDpiY() / millimetresPerInch;
}
} // namespace

QuickReport::QuickReport(QObject* parent) : QObject(parent) {}

QPageLayout QuickReport::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margins_, margins_, margins_, margins_), QPageLayout::Millimeter);
}

ReportBand& QuickReport::addBand(ReportBand::Type type, const QString& name, double height)
{
    bands_.push_back(std::make_unique<ReportBand>(ReportBand{name, type, height, {}}));
    return *bands_.back();
}

ReportControl& QuickReport::addControl(ReportBand& band, const ReportControl& control)
{
    band.controls.push_back(control);
    return band.controls.back();
}

ReportControl* QuickReport::control(const QString& name)
{
    for (auto& band : bands_)
        for (ReportControl& c : band->controls)
            if (c.name == name)
                return &c;
    return nullptr;
}

const ReportBand* QuickReport::band(const QString& name) const
{
    for (const auto& band : bands_)
        if (band->name == name)
            return band.get();
    return nullptr;
}

QString QuickReport::sysDataText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// Places bands below each other and starts a new page where the next band
// does not fit any more.
class QuickReport::Layouter {
public:
    Layouter(const QuickReport& report, const QPaintDevice& device)
        : report_(report), device_(device), pageHeight_(report.pageLayout().paintRect(QPageLayout::Millimeter).height())
    {
        pages_.emplace_back();
    }

    void place(const ReportBand& band)
    {
        std::vector<PlacedText> texts;
        double height = band.height;
        for (const ReportControl& c : band.controls) {
            const double bottom = add(c, texts);
            height = std::max(height, bottom + grownBandGap);
        }
        if (top_ > 0 && top_ + height > pageHeight_) {
            pages_.emplace_back();
            top_ = 0;
        }
        for (PlacedText& t : texts) {
            t.rect.translate(0, top_);
            pages_.back().texts.push_back(std::move(t));
        }
        top_ += height;
    }

    std::vector<ReportPage> pages() { return std::move(pages_); }

private:
    // Adds the control's texts at its place in the band; returns its bottom.
    double add(const ReportControl& c, std::vector<PlacedText>& texts) const
    {
        switch (c.kind) {
        case ReportControl::Kind::Label:
            texts.push_back({c.name, c.text, c.rect, c.font, c.alignment});
            return c.rect.bottom();
        case ReportControl::Kind::SysData:
            texts.push_back({c.name, sysDataText(report_.printTime()), c.rect, c.font, c.alignment});
            return c.rect.bottom();
        case ReportControl::Kind::Memo: {
            const double line = QFontMetricsF(c.font, &device_).lineSpacing() / dotsPerMm(device_);
            QRectF r(c.rect.left(), c.rect.top(), c.rect.width(), line);
            for (const QString& text : c.lines) {
                texts.push_back({c.name, text, r, c.font, c.alignment});
                r.translate(0, line);
            }
            return std::max(c.rect.bottom(), c.rect.top() + line * c.lines.size());
        }
        }
        return 0;
    }

    const QuickReport& report_;
    const QPaintDevice& device_;
    const double pageHeight_;
    double top_ = 0;
    std::vector<ReportPage> pages_;
};

std::vector<ReportPage> QuickReport::layout(const QPaintDevice& device)
{
    progress_ = 0;
    printTime_ = QDateTime::currentDateTime();
    emit beforePrint();

    const auto bandsOf = [this](ReportBand::Type type) {
        std::vector<const ReportBand*> found;
        for (const auto& band : bands_)
            if (band->type == type)
                found.push_back(band.get());
        return found;
    };
    Layouter layouter(*this, device);
    // The first record is asked for before the title band, which may show its data.
    bool moreData = false;
    emit needData(moreData);
    for (const ReportBand* band : bandsOf(ReportBand::Type::Title))
        layouter.place(*band);
    while (moreData) {
        for (const ReportBand* band : bandsOf(ReportBand::Type::Detail))
            layouter.place(*band);
        for (const ReportBand* band : bandsOf(ReportBand::Type::Child))
            layouter.place(*band);
        moreData = false;
        emit needData(moreData);
    }
    for (const ReportBand* band : bandsOf(ReportBand::Type::Summary))
        layouter.place(*band);
    return layouter.pages();
}

bool QuickReport::print(QPagedPaintDevice& device)
{
    device.setPageLayout(pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const std::vector<ReportPage> pages = layout(device);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, pages[i]);
    }
    return painter.end();
}

QString QuickReport::exportPdf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("Cannot open \"%1\" for writing: %2.").arg(fileName, file.errorString());
    bool printed;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("ORVIK-EGSE"));
        writer.setTitle(title_);
        printed = print(writer);
    }
    file.close();
    if (printed && file.error() == QFileDevice::NoError)
        return {};
    const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("the report could not be painted");
    const QString failed = QStringLiteral("Writing \"%1\" failed: %2.").arg(fileName, reason);
    if (QFileInfo(fileName).isFile() && file.remove())
        return failed + QStringLiteral(" The incomplete file was removed.");
    return failed + QStringLiteral(" The file is incomplete.");
}

void QuickReport::paintPage(QPainter& painter, const ReportPage& page)
{
    const double scale = dotsPerMm(*painter.device());
    painter.setPen(Qt::black);
    for (const PlacedText& t : page.texts) {
        painter.setFont(QFont(t.font, painter.device()));
        const QRectF r(t.rect.left() * scale, t.rect.top() * scale, t.rect.width() * scale, t.rect.height() * scale);
        painter.drawText(r, int(t.alignment) | Qt::TextDontClip, t.text);
    }
}

} // namespace orvik::reports
