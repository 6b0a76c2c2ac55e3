#pragma once
// One field of a comma-separated file (RFC 4180), shared by every CSV the program writes.

#include <string>
#include <string_view>

namespace orvik::display {

// The text as it is, or in double quotes with its quotes doubled when it holds
// a comma, a double quote or a line break.
std::string csvField(std::string_view text);

} // namespace orvik::display
