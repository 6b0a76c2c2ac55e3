#include "app/pages/MainPages.h"

#include "app/pages/ConfigurationPages.h"
#include "app/pages/DeviceParameterPages.h"
#include "app/pages/EventPages.h"
#include "app/pages/HousekeepingListView.h"
#include "app/pages/RegularHKPage.h"
#include "app/pages/SweepPages.h"
#include "display/MainDisplay.h"

#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace orvik::app {

namespace {

struct PageEntry {
    const char* name;
    const char* caption; // "&&" shows a single "&"
};

// A page control with its pages; returns the pages in order.
QTabWidget* pageControl(const char* name, std::initializer_list<PageEntry> pages, QWidget* parent)
{
    auto* control = new QTabWidget(parent);
    control->setObjectName(name);
    for (const PageEntry& entry : pages) {
        auto* page = new QWidget;
        page->setObjectName(entry.name);
        control->addTab(page, QString::fromUtf8(entry.caption));
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

} // namespace

QTabWidget* buildMainPages(QWidget* parent, const orvik::display::MainDisplay& display)
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
    // The regular and the internal housekeeping words of the block on show; blank until one is shown.
    QWidget* internalHk = page(csib, "InternalHKTabSheet");
    fill(internalHk, housekeepingListView(
                         "InternalHKListView", [&display](size_t row) { return display.InternalHKListViewData(row); },
                         0, internalHk));
    buildTpstOvenParameterPage(page(csib, "TabSheet1"));
    buildGCParameterPage(page(csib, "TabSheet2"));
    buildMSParameterPage(page(csib, "TabSheet3"));
    buildMSConfigurationPage(page(main, "MSCfgTabSheet"));
    buildGCConfigurationPage(page(main, "GCCfgTabSheet"));

    fill(page(main, "TPSTTabSheet"),
         pageControl("PageControl3", {{"TPSTCfgTabSheet", "Configuration"}, {"TPSTReportTabSheet", "Report"}}, nullptr));

    buildTPSTConfigurationPage(page(main, "TPSTCfgTabSheet"));
    buildRegularHKPage(page(main, "RegularHKTabSheet"), display);
    buildErrorMessagePage(page(main, "ErrMsgTabSheet"));
    buildTestResultPage(page(main, "TestResultTabSheet"));
    buildTpstReportPage(page(main, "TPSTReportTabSheet"));
    buildExecutionReportPage(page(main, "TCExeReportTabSheet"));
    buildTelecommandPage(page(main, "TCTabSheet"));
    buildMemoryDumpPage(page(main, "MemDumpTabSheet"));
    attachMemDumpPopupMenu(main);
    buildSweepPages(*main);
    main->setCurrentIndex(0);
    return main;
}

} // namespace orvik::app
