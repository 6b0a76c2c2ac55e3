#pragma once
// A client of orvik-sim --serve: a TCP connection to 127.0.0.1:PORT, read with blocking calls.

#include <asio.hpp>

#include <chrono>
#include <cstdint>
#include <string>

namespace orvik::sim::test {

class StreamClient {
public:
    explicit StreamClient(uint16_t port)
        : socket_(io_)
    {
        socket_.connect({asio::ip::address_v4::loopback(), port});
    }

    // Exactly `count` bytes, fewer only when the stream ends first.
    std::string read(size_t count)
    {
        std::string bytes(count, '\0');
        asio::error_code error;
        bytes.resize(asio::read(socket_, asio::buffer(bytes), error));
        return bytes;
    }

    // Everything up to the end of the stream, after which the client closes its end;
    // `firstByte`, when given, is set when the first byte came.
    std::string readAll(std::chrono::steady_clock::time_point* firstByte = nullptr)
    {
        std::string bytes;
        char buffer[65536];
        asio::error_code error;
        while (!error) {
            const size_t n = socket_.read_some(asio::buffer(buffer), error);
            if (firstByte && bytes.empty() && n > 0)
                *firstByte = std::chrono::steady_clock::now();
            bytes.append(buffer, n);
        }
        ended_ = error == asio::error::eof;
        socket_.close(error);
        return bytes;
    }

    // Whether readAll() ended at the server's orderly end of the stream rather than a reset.
    bool endedInOrder() const { return ended_; }

    void close() { socket_.close(); }

private:
    asio::io_context io_;
    asio::ip::tcp::socket socket_;
    bool ended_ = false;
};

} // namespace orvik::sim::test
