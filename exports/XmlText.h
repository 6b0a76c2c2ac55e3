#pragma once
// Text for XML documents: escaped values and numbers written with '.' as the decimal
// point whatever the process's locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvik::exports {

// `text` with & < > " ' replaced by their entities, fit for element text and attribute values.
std::string xmlEscaped(std::string_view text);
// The shortest decimal text that reads back as exactly `value`.
std::string xmlNumber(double value);
std::string xmlNumber(uint64_t value);
// "0x" and four upper-case hexadecimal digits.
std::string hexWord(uint16_t word);

} // namespace orvik::exports
