#include "display/TpstReportDisplay.h"

#include "archive/PacketBlocks.h"

#include "display/Configuration.h"
#include "display/WordFormat.h"

namespace orvik::display {

void displayTpstReport(ComponentModel& components, WordView data)
{
    const char* grid = "tpst_report_StringGrid";
    components.setCell(grid, 1, 0, "Position");
    components.setCell(grid, 2, 0, "Oven temp.");
    components.setCell(grid, 0, 1, "Start");
    components.setCell(grid, 0, 2, "Stop");
    // Start in row 1, stop in row 2: position, then oven temperature.
    components.setCell(grid, 1, 1, hexWord(data.word(3)));
    components.setCell(grid, 1, 2, hexWord(data.word(5)));
    components.setCell(grid, 2, 1, hexWord(data.word(4)));
    components.setCell(grid, 2, 2, hexWord(data.word(6)));

    components.setText("TPSTfinalpos", hexWord(data.word(7)));
    components.setText("SD2bramstatus", hexWord(data.word(8)));
    components.setText("BRAMMemo", wordList(data.from(TpstReportPacket::bramWords), 32));
    // The report carries the station's configuration: its page fills, the report stays in front.
    showTpstConfiguration(components, data.from(TpstReportPacket::tpstConfiguration));
}

} // namespace orvik::display
