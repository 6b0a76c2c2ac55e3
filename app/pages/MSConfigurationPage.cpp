#include "app/pages/ConfigurationPages.h"

#include "app/pages/LabelGroups.h"

namespace orvik::app {

void buildMSConfigurationPage(QWidget* page)
{
    layOutLabelGroups(page, {{"Configuration", {{"HK sweeping:", "ms_cfg_hksweep"},
                                                {"Accumulate data:", "AccData"},
                                                {"Cathode:", "ms_cfg_cathode"},
                                                {"Emission current:", "ms_cfg_emissioni"},
                                                {"Detector voltage:", "ms_cfg_detectorv"},
                                                {"Resolution:", "ms_cfg_resolution"},
                                                {"Frequency:", "mc_cfg_frequency"},
                                                {"Sample source:", "ms_cfg_samplesource"}}}});
}

} // namespace orvik::app
