#include "app/pages/DeviceParameterPages.h"

#include "app/pages/LabelGroups.h"

namespace orvik::app {

void buildGCParameterPage(QWidget* page)
{
    layOutLabelGroups(page, {{"Column temperatures set points", {{"Column 1:", "csib_gc_coltemp1"},
                                                                 {"Column 2:", "csib_gc_coltemp2"},
                                                                 {"Column 3:", "csib_gc_coltemp3"},
                                                                 {"Column 4:", "csib_gc_coltemp4"},
                                                                 {"Column 5:", "csib_gc_coltemp5"},
                                                                 {"Column 6:", "csib_gc_coltemp6"},
                                                                 {"Column 7:", "csib_gc_coltemp7"},
                                                                 {"Column 8:", "csib_gc_coltemp8"}}},
                             {"Global settings", {{"Free parameter:", "csib_gc_words"},
                                                  {"Time to heat Tenax (sec):", "csib_gc_tenaxtime"},
                                                  {"Time to heat GC (sec):", "csib_gc_heating"}}}});
}

} // namespace orvik::app
