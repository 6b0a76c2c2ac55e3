#pragma once
// Texts of raw words and engineering values as the pages show them. Numbers are
// formatted without the C locale, so that the window's regional settings never
// leak into them; a caller that wants the user's decimal separator passes it.

#include "archive/WordView.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvik::display {

// The text of a value the packet holds, or "-" for one it does not hold.
template <class T, class Format>
std::string orDash(const std::optional<T>& value, Format format)
{
    return value ? std::string(format(*value)) : std::string("-");
}

// The number's text with its decimal point replaced by the separator given.
std::string withSeparator(std::string text, std::string_view decimalSeparator);

// The word in unsigned decimal: 500.
std::string decimal(uint16_t word);
// "yes" for a non-zero word, "no" for 0.
std::string yesIfSet(uint16_t word);
// "0x" and four upper-case hexadecimal digits: 0x01F4.
std::string hex4(uint16_t word);
// The same, or "-" for a word the block does not hold.
std::string hexWord(std::optional<uint16_t> word);
// `count` words, each as four digits and one blank ("0000 0001 "); a word the
// block does not hold is "----", so that a short packet is seen as short.
std::string wordList(WordView words, size_t count);
// "0x" and at least two upper-case hexadecimal digits: 0x05, 0x1F4.
std::string hex2(unsigned value);
// "0x" and eight upper-case hexadecimal digits of a 32-bit value: 0x0001F400.
std::string hex8(uint32_t value);
// The value rounded to 7 significant digits, written with exactly two decimals.
std::string fixedTwoDecimals(float value, std::string_view decimalSeparator);
// The value with `precision` decimals, right-aligned in `width` characters (printf's "%W.Pf").
std::string fixedText(double value, int width, int precision);
// The value with `digits` significant digits at most, trailing zeros dropped (printf's "%.*g").
std::string generalDigits(double value, int digits);
// The value with 3 significant digits at most, trailing zeros dropped: 1.02, 15.2, 0.
std::string generalThreeDigits(double value, std::string_view decimalSeparator);

} // namespace orvik::display
