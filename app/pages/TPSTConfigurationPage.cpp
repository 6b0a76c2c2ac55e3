#include "app/pages/ConfigurationPages.h"

#include "app/pages/LabelGroups.h"

namespace orvik::app {

void buildTPSTConfigurationPage(QWidget* page)
{
    // The decoder greys out the group and the captions of the mode not in use.
    layOutLabelGroups(page, {{"Direct controlling",
                              {{"Direction:", "tpst_cfg_direction", "Label125"},
                               {"Time to drive TPST (sec):", "tpst_cfg_timetodrive", "Label127"}},
                              "tpst_cfg_directctrl"},
                             {"Position information",
                              {{"Position to drive to:", "tpst_cfg_positionid", "Label123"},
                               {"Potentiometer value:", "tpst_cfg_potivalue", "Label124"}},
                              "tpst_cfg_posinfo"}});
}

} // namespace orvik::app
