#pragma once
// The decoders of the device and GC/MS parameter blocks: they fill the labels and
// the oven grid of the "Device Parameter" pages. Each takes the block's first word.

#include "display/ComponentModel.h"
#include "archive/WordView.h"

namespace orvik::display {

void showTpstPositions(ComponentModel& components, WordView block);     // 6 words
void showTpstControl(ComponentModel& components, WordView block);       // 4 words
void showOvenAndPipeHeater(ComponentModel& components, WordView block); // 17 words
void showMsParameters(ComponentModel& components, WordView block);      // 18 words
void showGcParameters(ComponentModel& components, WordView block);      // 10 words

} // namespace orvik::display
