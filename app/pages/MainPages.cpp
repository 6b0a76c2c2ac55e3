#include "app/pages/MainPages.h"

#include "app/pages/ConfigurationPages.h"
#include "app/pages/DeviceParameterPages.h"
#include "app/pages/EventPages.h"
#include "app/pages/HousekeepingListView.h"
#include "app/pages/RegularHKPage.h"
#include "app/pages/SweepPages.h"
#include "display/MainDisplay.h"

#include <QApplication>
#include <QProxyStyle>
#include <QScrollArea>
#include <QTabBar>
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

// Tabs with little room beside their texts: all of PageControl1's tabs fit beside
// the left panel in the first-run window, without scroll arrows.
class CompactTabs : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        return metric == PM_TabBarTabHSpace ? 3 : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The pages of PageControl1 scroll what a small window cannot show: each named page
// (the tab, brought forward by name) holds a scroll area, the builders fill its content.
void scrollContent(QWidget* page)
{
    auto* scroller = new QScrollArea;
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(new QWidget);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
}

// What the builders fill on a page of PageControl1.
QWidget* content(QTabWidget* main, const char* name)
{
    return page(main, name)->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly)->widget();
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
    for (int i = 0; i < main->count(); ++i)
        scrollContent(main->widget(i));
    auto* compact = new CompactTabs(QApplication::style()->name());
    compact->setParent(main); // goes after the tab bar, which main made first
    main->tabBar()->setStyle(compact);

    fill(content(main, "MSTab"), pageControl("MSPageControl",
                                          {{"MSSpecTabSheet", "Spectrum"},
                                           {"MSParTabSheet", "HK Sweep"},
                                           {"MSCfgTabSheet", "Configuration"}},
                                          nullptr));
    fill(content(main, "GCtab"), pageControl("GCPageControl",
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
    fill(content(main, "CSIBTabSheet"), csib);
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

    fill(content(main, "TPSTTabSheet"),
         pageControl("PageControl3", {{"TPSTCfgTabSheet", "Configuration"}, {"TPSTReportTabSheet", "Report"}}, nullptr));

    buildTPSTConfigurationPage(page(main, "TPSTCfgTabSheet"));
    buildRegularHKPage(content(main, "RegularHKTabSheet"), display);
    buildErrorMessagePage(content(main, "ErrMsgTabSheet"));
    buildTestResultPage(content(main, "TestResultTabSheet"));
    buildTpstReportPage(page(main, "TPSTReportTabSheet"));
    buildExecutionReportPage(content(main, "TCExeReportTabSheet"));
    buildTelecommandPage(content(main, "TCTabSheet"));
    buildMemoryDumpPage(content(main, "MemDumpTabSheet"));
    attachMemDumpPopupMenu(main);
    buildSweepPages(*main);
    main->setCurrentIndex(0);
    return main;
}

} // namespace orvik::app
