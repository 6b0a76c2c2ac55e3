#include "app/pages/SweepPages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvik::app {

namespace {

struct LabelEntry {
    const char* caption;
    const char* name;
};

// A group of captions with their right-aligned value labels ("-" until a sweep is shown).
QGroupBox* valueGroup(const char* title, std::initializer_list<LabelEntry> labels)
{
    auto* group = new QGroupBox(QString::fromUtf8(title));
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (const LabelEntry& entry : labels) {
        auto* value = new QLabel("-");
        value->setObjectName(entry.name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(90);
        grid->addWidget(new QLabel(QString::fromUtf8(entry.caption)), row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    return group;
}

void buildMsSweepPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(valueGroup("MS ADC MUX channels", {{"Detector:", "mshksweep_detector"},
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
                                                        {"Pos(TPST):", "hmshksweep_postpst"}}));
    layout->addStretch();
}

void buildGcSweepPage(QWidget* page)
{
    auto* outer = new QVBoxLayout(page);
    auto* channels = new QGroupBox("GC ADC MUX channels");
    auto* row = new QHBoxLayout(channels);
    row->addWidget(valueGroup("Pressures", {{"He Tank 1:", "gchksweep_phe1"},
                                            {"He Tank 2:", "gchwsweep_phe2"},
                                            {"KPY:", "gchksweep_kpy"}}),
                   0, Qt::AlignTop);
    row->addWidget(valueGroup("Temperatures", {{"Column 1:", "gchksweep_col1"},
                                               {"Column 2:", "gchksweep_col2"},
                                               {"Column 3:", "gchksweep_col3"},
                                               {"Column 4:", "gchksweep_col4"},
                                               {"Column 5:", "gchksweep_col5"},
                                               {"Column 6:", "gchksweep_col6"},
                                               {"Column 7:", "gchksweep_col7"},
                                               {"Column 8:", "gchksweep_col8"},
                                               {"Cold part:", "gchksweep_cold"},
                                               {"Warm part:", "gchksweep_warm"}}),
                   0, Qt::AlignTop);
    row->addWidget(valueGroup("Voltages", {{"Ion Source:", "gchksweep_ion"}, {"Valve unit:", "gchksweep_valve"}}), 0,
                   Qt::AlignTop);
    row->addStretch();
    outer->addWidget(channels);
    outer->addStretch();
}

// Of the public housekeeping only the cold part ever receives a value.
void buildPublicHkPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(valueGroup("Temperatures", {{"Cold part1:", "tempcoldpart1"}}), 0, Qt::AlignLeft);
    layout->addStretch();
}

} // namespace

void buildSweepPages(QTabWidget& mainPages)
{
    buildMsSweepPage(mainPages.findChild<QWidget*>("MSParTabSheet"));
    buildGcSweepPage(mainPages.findChild<QWidget*>("GCParTabSheet1"));
    buildPublicHkPage(mainPages.findChild<QWidget*>("PublicHKTabSheet"));
}

} // namespace orvik::app
