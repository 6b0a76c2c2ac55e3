#include "tceditor/StrictInteger.h"

#include <charconv>

namespace orvik::tceditor {

std::optional<std::int32_t> strictInteger(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    if (digits.empty() || (digits.front() == '-' && text.front() == '+'))
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::string notAnIntegerMessage(std::string_view text)
{
    std::string message(1, '\'');
    message += text;
    message += "' is not a valid integer value";
    return message;
}

} // namespace orvik::tceditor
