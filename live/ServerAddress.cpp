#include "live/ServerAddress.h"

#include <charconv>

namespace orvik::live {

std::string ServerAddress::text() const
{
    const bool ipv6 = host.find(':') != std::string::npos;
    std::string result = ipv6 ? "[" : "";
    result.append(host).append(ipv6 ? "]:" : ":").append(std::to_string(port));
    return result;
}

std::variant<ServerAddress, std::string> parseServerAddress(std::string_view text)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string_view::npos)
        return "'" + std::string(text) + "' is not HOST:PORT";
    std::string_view host = text.substr(0, colon);
    const std::string_view port = text.substr(colon + 1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    else if (host.find(':') != std::string_view::npos)
        return "an IPv6 address goes in brackets: [" + std::string(host) + "]:PORT";
    if (host.empty() || host.find_first_of(" \t[]") != std::string_view::npos)
        return "'" + std::string(text) + "' names no host";
    unsigned value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || error != std::errc() || end != port.data() + port.size() || value == 0 || value > 65535)
        return "the port of '" + std::string(text) + "' is not a number from 1 to 65535";
    return ServerAddress{std::string(host), uint16_t(value)};
}

} // namespace orvik::live
