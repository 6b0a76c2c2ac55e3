#pragma once
// The "Report" page of "Tapping Station": the station's positions and oven
// temperatures at the start and stop of a movement, its final position, the SD2
// backup RAM status and 32 words of that RAM.

#include "display/ComponentModel.h"
#include "archive/WordView.h"

namespace orvik::display {

// `data` starts at data word 0 of a TPST report packet.
void displayTpstReport(ComponentModel& components, WordView data);

} // namespace orvik::display
