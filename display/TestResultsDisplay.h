#pragma once
// The "Test Results" page: one pass/fail icon per tested unit, and the details of
// the unit clicked on the detail page of that unit.

#include "display/ComponentModel.h"
#include "archive/WordView.h"

#include <string>

namespace orvik::display {

// Icons of the unit list.
constexpr int failedIcon = 0, passedIcon = 1;

// `data` starts at data word 0 of a test-result packet.
void displayTestResults(ComponentModel& components, WordView data);
// Shows the details of the unit whose list caption is `caption` (no unit: nothing).
void showTestResultDetails(ComponentModel& components, WordView data, const std::string& caption);

} // namespace orvik::display
