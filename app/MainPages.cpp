#include "MainPages.h"

#include "SweepPages.h"

#include <QComboBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct PageSpec {
    const char* name;
    const char* caption; // "&&" shows a single "&"
};

// A page control with its pages; returns the pages in order.
QTabWidget* pageControl(const char* name, std::initializer_list<PageSpec> pages, QWidget* parent)
{
    auto* control = new QTabWidget(parent);
    control->setObjectName(name);
    for (const PageSpec& spec : pages) {
        auto* page = new QWidget;
        page->setObjectName(spec.name);
        control->addTab(page, QString::fromUtf8(spec.caption));
    }
    return control;
}

QWidget* page(QTabWidget* control, const char* name)
{
    return control->findChild<QWidget*>(name);
}

// Fills a page with one widget that takes all of it.
void fill(QWidget* page, QWidget* content)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(content);
}

void buildHousekeepingPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* half = new QComboBox(page);
    half->setObjectName("HKPacketHalf");
    half->addItems({"0-64", "64-127"});
    half->setPlaceholderText("HK Values");
    half->setCurrentIndex(-1);
    layout->addWidget(half, 0, Qt::AlignLeft);
    layout->addStretch();
}

} // namespace

QTabWidget* buildMainPages(QWidget* parent)
{
    QTabWidget* main = pageControl("PageControl1",
                                   {{"MSTab", "MS"},
                                    {"GCtab", "GC"},
                                    {"CSIBTabSheet", "CSIB"},
                                    {"TPSTTabSheet", "Tapping Station"},
                                    {"MemDumpTabSheet", "Memory Dump"},
                                    {"ErrMsgTabSheet", "Error Messages"},
                                    {"TestResultTabSheet", "Test Results"},
                                    {"RegularHKTabSheet", "Regular HK"},
                                    {"TCExeReportTabSheet", "Execution Report"},
                                    {"TCTabSheet", "TC"}},
                                   parent);

    fill(page(main, "MSTab"), pageControl("MSPageControl",
                                          {{"MSSpecTabSheet", "Spectrum"},
                                           {"MSParTabSheet", "HK Sweep"},
                                           {"MSCfgTabSheet", "Configuration"}},
                                          nullptr));
    fill(page(main, "GCtab"), pageControl("GCPageControl",
                                          {{"GCSpecTabSheet", "Spectrum"},
                                           {"GCParTabSheet1", "HK Sweep"},
                                           {"GCCfgTabSheet", "Configuration"}},
                                          nullptr));

    QTabWidget* csib = pageControl("CSIBPageControl",
                                   {{"PublicHKTabSheet", "Public HK"},
                                    {"InternalHKTabSheet", "InternalHK"},
                                    {"DeviceParTabSheet", "Device Parameter"}},
                                   nullptr);
    page(csib, "PublicHKTabSheet")->setEnabled(false);
    fill(page(csib, "DeviceParTabSheet"),
         pageControl("PageControl2",
                     {{"TabSheet1", "Tapping Station && Oven"}, {"TabSheet2", "GC"}, {"TabSheet3", "MS"}}, nullptr));
    fill(page(main, "CSIBTabSheet"), csib);

    fill(page(main, "TPSTTabSheet"),
         pageControl("PageControl3", {{"TPSTCfgTabSheet", "Configuration"}, {"TPSTReportTabSheet", "Report"}}, nullptr));

    buildHousekeepingPage(page(main, "RegularHKTabSheet"));
    buildSweepPages(*main);
    main->setCurrentIndex(0);
    return main;
}
