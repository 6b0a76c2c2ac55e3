#pragma once
// Where a data system's server is: "HOST:PORT", the host a name, an IPv4 address or an
// IPv6 address in brackets ("[::1]:4000").

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace orvik::live {

struct ServerAddress {
    std::string host;
    uint16_t port = 0;

    // "HOST:PORT" again, brackets around an IPv6 address.
    std::string text() const;
    bool operator==(const ServerAddress&) const = default;
};

// The address, or why the text names none (one line, without its end).
std::variant<ServerAddress, std::string> parseServerAddress(std::string_view text);

} // namespace orvik::live
