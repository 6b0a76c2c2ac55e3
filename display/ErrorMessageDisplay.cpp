#include "display/ErrorMessageDisplay.h"

#include "display/InstrumentTables.h"
#include "display/WordFormat.h"

namespace orvik::display {

namespace {
// The message names an event only for a category of exactly one bit.
std::string eventMessage(unsigned category, unsigned id, WordView data)
{
    switch (category) {
    case 0x1: return errorMessage(id);
    case 0x4: return "Configuration missing for: " + configurationTarget(id);
    case 0x8: {
        return "Checksum error in TC(" + orDash(data.word(4), decimal) + ")";
    }
    default: return {};
    }
}
} // namespace

void displayErrorMessage(ComponentModel& components, WordView data)
{
    const std::optional<uint16_t> event = data.word(3);
    if (!event) {
        components.setText("errmsg_eventmask", "-");
        components.setText("errmsg_eventid", "-");
        components.setText("errmsg_Memo1", "");
        return;
    }
    const unsigned category = *event >> 12;
    const unsigned id = *event & 0x0FFF;
    components.setText("errmsg_eventmask", eventCategoryName(category));
    components.setText("errmsg_eventid", hexWord(uint16_t(id)));
    components.setText("errmsg_Memo1", eventMessage(category, id, data));
}

} // namespace orvik::display
