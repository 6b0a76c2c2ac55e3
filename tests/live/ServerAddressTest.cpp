#include "live/ServerAddress.h"

#include <gtest/gtest.h>

using orvik::live::parseServerAddress;
using orvik::live::ServerAddress;

TEST(ServerAddressTest, NamesAndAddressesWithTheirPortsAreTakenAndWrittenBack)
{
    for (const auto& [text, host, port] : {std::tuple{"localhost:4000", "localhost", 4000}, {"10.0.0.7:1", "10.0.0.7", 1},
                                           {"[::1]:65535", "::1", 65535}, {"egse-3.lab:6001", "egse-3.lab", 6001}}) {
        const auto parsed = parseServerAddress(text);
        ASSERT_TRUE(std::holds_alternative<ServerAddress>(parsed)) << text << ": " << std::get<std::string>(parsed);
        const ServerAddress& address = std::get<ServerAddress>(parsed);
        EXPECT_EQ(address, (ServerAddress{host, uint16_t(port)}));
        EXPECT_EQ(address.text(), text);
    }
}

TEST(ServerAddressTest, TextsThatNameNoServerAreRefusedWithAReason)
{
    for (const char* text : {"", "localhost", ":4000", "host:", "host:0", "host:65536", "host:12x", "host:-1", "::1:4000",
                             "a b:1", "host:+1"}) {
        const auto parsed = parseServerAddress(text);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << text;
        EXPECT_FALSE(std::get<std::string>(parsed).empty());
    }
}
