#include "app/pages/DeviceParameterPages.h"

#include "app/pages/LabelGroups.h"

#include <QGroupBox>

namespace orvik::app {

void buildMSParameterPage(QWidget* page)
{
    layOutSideBySide(page, {groupOfLabelGroups("Multi", {{"Voltages", {{"R2:", "csib_ms_r2", nullptr, "Correct1"},
                                                                       {"R2_4:", "csib_ms_r24", nullptr, "Correct2"},
                                                                       {"Ux:", "csib_ms_ux", nullptr, "ab_x"},
                                                                       {"Uy:", "csib_ms_uy", nullptr, "ab_y"}}},
                                                         {"Timing", {{"t1:", "csib_ms_t1"},
                                                                     {"t3:", "csib_ms_t3"},
                                                                     {"t4:", "csib_ms_t4"},
                                                                     {"t5:", "csib_ms_t5"},
                                                                     {"t6:", "csib_ms_t6"}}}}),
                            labelGroup({"Global settings", {{"Spectra depth:", "csib_ms_specdepth"},
                                                            {"Mode:", "csib_ms_mode"},
                                                            {"Timeout:", "csib_ms_timeout"},
                                                            {"Sampling time delay:", "csib_ms_detectordelay"},
                                                            {"Words to copy:", "csib_ms_words"}}})});
}

} // namespace orvik::app
