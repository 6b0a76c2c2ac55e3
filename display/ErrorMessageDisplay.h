#pragma once
// The "Error Messages" page: an event's category, its identifier and a one-line message.

#include "display/ComponentModel.h"
#include "archive/WordView.h"

namespace orvik::display {

// `data` starts at data word 0 of an error-message packet.
void displayErrorMessage(ComponentModel& components, WordView data);

} // namespace orvik::display
