#pragma once
// TForm3, the memory-dump window: every data word of one dump as a red bar,
// drawn when "Display" is chosen and kept until the next "Display", under a
// heading that names the dump. The chart's pop-up menu and the button beside
// "Close" undo a zoom.

#include "archive/DatasetRecords.h"
#include "display/widgets/ChartWindow.h"

#include <vector>

class QLabel;

namespace orvik::widgets {

class TForm3 : public ChartWindow {
    Q_OBJECT
public:
    explicit TForm3(QWidget* mainWindow);

    // Replaces Series1's points by the dump's 128 words per page, at x = 0, 1, 2, ...,
    // and names the dump in the heading.
    void fillDumpChart(const orvik::MemoryDumpImage& image);
    // Every data word of the dump, page after page, as a chart value.
    static std::vector<double> dumpValues(const orvik::MemoryDumpImage& image);
    // The memory the dump comes from and its length: "Memory Dump (MM), 2 pages".
    static QString heading(const orvik::MemoryDumpImage& image);

private:
    // Sticks as wide as bars: most of the room one word has on the screen, at least a pixel.
    void fitBarWidth();

    QLabel* heading_ = nullptr;
};

} // namespace orvik::widgets
