#include "exports/XmlText.h"

#include <charconv>

namespace orvik::exports {

std::string xmlEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string xmlNumber(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr; // never the locale's
    return std::string(text, end);
}

std::string xmlNumber(uint64_t value)
{
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string hexWord(uint16_t word)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    return {'0', 'x', digits[word >> 12], digits[(word >> 8) & 15], digits[(word >> 4) & 15], digits[word & 15]};
}

} // namespace orvik::exports
