#include "app/pages/SweepPages.h"

#include "app/pages/LabelGroups.h"

#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvik::app {

namespace {

// A box at the top of the page, as wide as the page unless aligned.
void putAtTop(QWidget* page, QWidget* box, Qt::Alignment alignment = {})
{
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box, 0, alignment);
    layout->addStretch();
}

// The readings of a sweep stand right-aligned beside their captions, "-" until a sweep is shown.
void buildMsSweepPage(QWidget* page)
{
    putAtTop(page, labelGroup({"MS ADC MUX channels", {{"Detector:", "mshksweep_detector"},
                                                       {"R1:", "mshksweep_ref1"},
                                                       {"R2:", "mshksweep_ref2"},
                                                       {"R2_4:", "mshksweep_ref7"},
                                                       {"Lense1:", "mshksweep_lense1"},
                                                       {"Lense2:", "mshksweep_lense2"},
                                                       {"G3:", "mshksweep_g3"},
                                                       {"Filament:", "mshksweep_ifila"},
                                                       {"Pipe A:", "mshksweep_pipea"},
                                                       {"Pipe B:", "mshksweep_pipeb"},
                                                       {"Oven:", "mshksweep_oven"},
                                                       {"Cold part:", "mshksweep_coldpart"},
                                                       {"P(Cal Gas):", "mshksweep_pcalgas"},
                                                       {"Pos(TPST):", "hmshksweep_postpst"}}},
                              Values::RightAligned));
}

void buildGcSweepPage(QWidget* page)
{
    auto* channels = new QGroupBox("GC ADC MUX channels");
    layOutLabelGroups(channels,
                      {{"Pressures", {{"He Tank 1:", "gchksweep_phe1"},
                                      {"He Tank 2:", "gchwsweep_phe2"},
                                      {"KPY:", "gchksweep_kpy"}}},
                       {"Temperatures", {{"Column 1:", "gchksweep_col1"},
                                         {"Column 2:", "gchksweep_col2"},
                                         {"Column 3:", "gchksweep_col3"},
                                         {"Column 4:", "gchksweep_col4"},
                                         {"Column 5:", "gchksweep_col5"},
                                         {"Column 6:", "gchksweep_col6"},
                                         {"Column 7:", "gchksweep_col7"},
                                         {"Column 8:", "gchksweep_col8"},
                                         {"Cold part:", "gchksweep_cold"},
                                         {"Warm part:", "gchksweep_warm"}}},
                       {"Voltages", {{"Ion Source:", "gchksweep_ion"}, {"Valve unit:", "gchksweep_valve"}}}},
                      Values::RightAligned);
    putAtTop(page, channels);
}

// Of the public housekeeping only the cold part ever receives a value.
void buildPublicHkPage(QWidget* page)
{
    putAtTop(page, labelGroup({"Temperatures", {{"Cold part1:", "tempcoldpart1"}}}, Values::RightAligned), Qt::AlignLeft);
}

} // namespace

void buildSweepPages(QTabWidget& mainPages)
{
    buildMsSweepPage(mainPages.findChild<QWidget*>("MSParTabSheet"));
    buildGcSweepPage(mainPages.findChild<QWidget*>("GCParTabSheet1"));
    buildPublicHkPage(mainPages.findChild<QWidget*>("PublicHKTabSheet"));
}

} // namespace orvik::app
