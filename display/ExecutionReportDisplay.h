#pragma once
// The telecommand pages: "Execution Report" (when a telecommand ran, how long,
// with what result, and a copy of its words) and "TC" (the telecommand that
// opened a science dataset).

#include "display/ComponentModel.h"
#include "archive/DatasetRecords.h"
#include "archive/WordView.h"

#include <string>

namespace orvik::display {

// `data` starts at data word 0 of an execution-report packet. `decimalSeparator`
// is the user's, for the duration in seconds.
void displayExecutionReport(ComponentModel& components, WordView data, const std::string& decimalSeparator = ".");
void displayDatasetTelecommand(ComponentModel& components, const TelecommandRecord& record);

} // namespace orvik::display
