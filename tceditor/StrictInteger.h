#pragma once
// The editor's integer fields accept a whole decimal integer and nothing else:
// no blanks, no trailing characters, within 32 bits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvik::tceditor {

std::optional<std::int32_t> strictInteger(std::string_view text);

// The message shown for a text that is not an integer.
std::string notAnIntegerMessage(std::string_view text);

} // namespace orvik::tceditor
