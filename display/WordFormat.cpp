#include "display/WordFormat.h"

#include <charconv>
#include <cstdio>

namespace orvik::display {

namespace {
std::string toChars(double value, std::chars_format format, int precision)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}
} // namespace

std::string fixedText(double value, int width, int precision)
{
    std::string text = toChars(value, std::chars_format::fixed, precision);
    if (text.size() < size_t(width))
        text.insert(0, size_t(width) - text.size(), ' ');
    return text;
}

std::string generalDigits(double value, int digits)
{
    return toChars(value, std::chars_format::general, digits);
}

std::string withSeparator(std::string text, std::string_view decimalSeparator)
{
    if (const size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

std::string decimal(uint16_t word)
{
    return std::to_string(word);
}

std::string yesIfSet(uint16_t word)
{
    return word ? "yes" : "no";
}

std::string hex4(uint16_t word)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%04X", unsigned(word));
    return buffer;
}

std::string hexWord(std::optional<uint16_t> word)
{
    return orDash(word, hex4);
}

std::string wordList(WordView words, size_t count)
{
    std::string text;
    text.reserve(5 * count);
    for (size_t k = 0; k < count; ++k)
        text += words.has(k) ? hex4(words.wordOr(k)).substr(2) + ' ' : std::string("---- ");
    return text;
}

std::string hex2(unsigned value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%02X", value);
    return buffer;
}

std::string hex8(uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", unsigned(value));
    return buffer;
}

std::string fixedTwoDecimals(float value, std::string_view decimalSeparator)
{
    const std::string significant = toChars(value, std::chars_format::scientific, 6);
    double rounded = 0;
    std::from_chars(significant.data(), significant.data() + significant.size(), rounded);
    return withSeparator(toChars(rounded, std::chars_format::fixed, 2), decimalSeparator);
}

std::string generalThreeDigits(double value, std::string_view decimalSeparator)
{
    return withSeparator(toChars(value, std::chars_format::general, 3), decimalSeparator);
}

} // namespace orvik::display
