#include "display/MemoryDumpDisplay.h"

#include "display/WordFormat.h"

#include <algorithm>

namespace orvik::display {

namespace {
constexpr const char* scrollBar = "MemDumpScrollBar1";
}

const char* memoryTypeName(uint16_t code)
{
    switch (code) {
    case 0x000F: return "MM";
    case 0x00F0: return "GC";
    case 0x0F00: return "MS/TDC";
    case 0xF000: return "DPU";
    default: return "unknown";
    }
}

std::string pageText(const MemoryDumpImage& image, size_t p)
{
    return wordList(image.page(p), MemoryDumpImage::pageWords);
}

void showMemoryDumpPage(ComponentModel& components, const MemoryDumpImage& image, int position)
{
    components.setText("MemDumpPacket", std::to_string(position));
    components.setText("MemDumpMemo", pageText(image, size_t(position)));
}

void displayMemoryDump(ComponentModel& components, const MemoryDumpImage& image)
{
    const uint16_t pages = image.pageCount();
    components.setText("memtype", memoryTypeName(image.memoryType()));
    components.setHint("memtype", hexWord(image.memoryType()));
    components.setText("dumplength", std::to_string(pages));
    components.setHint("dumplength", hexWord(pages));

    // The position carries over from the last dump, clamped to this one's pages.
    const int last = std::max(pages - 1, 0);
    const int position = std::clamp(components.number(scrollBar, Property::Position).value_or(0), 0, last);
    components.set(scrollBar, Property::Maximum, last);
    components.setPosition(scrollBar, position);
    // A dump without pages has nothing to scroll through or show.
    components.setEnabled(scrollBar, pages > 0);
    if (pages > 0) {
        showMemoryDumpPage(components, image, position);
    } else {
        components.setText("MemDumpPacket", "-");
        components.setText("MemDumpMemo", "");
    }
}

} // namespace orvik::display
