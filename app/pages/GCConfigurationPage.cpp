#include "app/pages/ConfigurationPages.h"

#include "app/pages/LabelGroups.h"

namespace orvik::app {

void buildGCConfigurationPage(QWidget* page)
{
    layOutLabelGroups(page, {{"Configuration", {{"HK sweeping:", "gc_cfg_hksweep"},
                                                {"Duration (min):", "gc_cfg_duration"},
                                                {"He tank:", "gc_cfg_hetank"},
                                                {"Injection (msec):", "gc_cfg_injection"},
                                                {"Sample source:", "gc_cfg_samplesource"},
                                                {"Head pressure:", "gc_cfg_colheadpre"}}},
                             {"DAC channels:", {{"Channel 1:", "gc_cfg_dacch1"},
                                                {"Channel 2:", "gc_cfg_dacch2"},
                                                {"Channel 3:", "gc_cfg_dacch3"},
                                                {"Channel 4:", "gc_cfg_dacch4"}}}});
}

} // namespace orvik::app
