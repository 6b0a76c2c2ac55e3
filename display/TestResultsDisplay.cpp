#include "display/TestResultsDisplay.h"

#include "display/WordFormat.h"

#include <array>

namespace orvik::display {

namespace {

constexpr size_t pageErrorWords = 48, tpstReadings = 27;

// Points at x = 0, 1, ... from every second word starting at `first`; words the packet lacks are left out.
ChartSeries everySecondWord(const char* title, WordView data, size_t first, size_t count)
{
    ChartSeries series{title, {}};
    for (size_t i = 0; i < count; ++i)
        if (const auto w = data.word(first + 2 * i))
            series.points.push_back({double(i), double(*w)});
    return series;
}

void showMsDetails(ComponentModel& components, WordView data)
{
    // A 32-bit address, its high word in data word 10.
    const auto low = data.word(9), high = data.word(10);
    components.setText("mstestaddr", low && high ? hex8((uint32_t(*high) << 16) | *low) : "-");
}

void showGcDetails(ComponentModel& components, WordView data)
{
    components.setCell("coltempStringGrid", 0, 0, "Column");
    components.setCell("coltempStringGrid", 1, 0, "DeltaT");
    for (int j = 0; j < 8; ++j) {
        components.setCell("coltempStringGrid", 0, j + 1, std::to_string(j));
        components.setCell("coltempStringGrid", 1, j + 1, orDash(data.word(size_t(11 + j)), hex2));
    }
}

void showMassMemoryDetails(ComponentModel& components, WordView data)
{
    components.setText("mmstartpage", hexWord(data.word(5)));
    components.setText("mmendpage", hexWord(data.word(6)));
    components.set("Chart2", Property::Series,
                   std::vector<ChartSeries>{everySecondWord("MassMemoryErrors", data, 21, pageErrorWords)});
}

void showTpstDetails(ComponentModel& components, WordView data)
{
    // Oven and station readings alternate, the oven's first.
    components.set("Chart3", Property::Series,
                   std::vector<ChartSeries>{everySecondWord("Tapping Station", data, 70, tpstReadings),
                                            everySecondWord("Oven", data, 69, tpstReadings)});
}

void showDpuDetails(ComponentModel& components, WordView data)
{
    components.setText("dpuresultaddress", hexWord(data.word(7)));
    components.setText("dpuresultpage", hexWord(data.word(8)));
}

void showOvenDetails(ComponentModel& components, WordView data)
{
    components.setText("ovenresultt0", hexWord(data.word(19)));
    components.setText("ovenresultt1", hexWord(data.word(20)));
}

// Bit b of the tested units (bit b + 8: passed) stands for row b.
struct Unit {
    const char* caption;
    const char* detailPage;
    void (*showDetails)(ComponentModel&, WordView);
};
constexpr std::array<Unit, 6> units = {{
    {"MS", "MSTestTabSheet", showMsDetails},
    {"GC", "GCTestTabSheet", showGcDetails},
    {"DPU", "DPUTabSheet", showDpuDetails},
    {"Mass Memory", "MMTestTabSheet", showMassMemoryDetails},
    {"Oven", "OvenTabSheet", showOvenDetails},
    {"Tapping Station", "TPSTTesttabSheet", showTpstDetails},
}};

} // namespace

void displayTestResults(ComponentModel& components, WordView data)
{
    const std::optional<uint16_t> result = data.word(3);
    std::vector<ListItem> items;
    for (size_t b = 0; result && b < units.size(); ++b)
        if (*result & (1u << b))
            items.push_back({units[b].caption, *result & (1u << (b + 8)) ? passedIcon : failedIcon});
    components.setText("testresult", hexWord(result));
    components.set("testresultListView1", Property::Items, std::move(items));
}

void showTestResultDetails(ComponentModel& components, WordView data, const std::string& caption)
{
    for (const Unit& unit : units) {
        if (caption == unit.caption) {
            unit.showDetails(components, data);
            components.setActivePage("testresultdetailsPageControl", unit.detailPage);
        }
    }
}

} // namespace orvik::display
