#pragma once
// The "Memory Dump" page: the memory's name, the dump's length and one page of
// 128 words; the page's scroll bar steps through the pages.

#include "display/ComponentModel.h"
#include "archive/DatasetRecords.h"

#include <string>

namespace orvik::display {

// "MM", "GC", "MS/TDC", "DPU" or "unknown".
const char* memoryTypeName(uint16_t code);
// The 128 words of page p, each as four hex digits and a blank.
std::string pageText(const MemoryDumpImage& image, size_t p);
// Shows the dump at the scroll bar's position, clamped to the dump's pages.
void displayMemoryDump(ComponentModel& components, const MemoryDumpImage& image);
// Shows page `position` of the dump after the scroll bar moved there.
void showMemoryDumpPage(ComponentModel& components, const MemoryDumpImage& image, int position);

} // namespace orvik::display
