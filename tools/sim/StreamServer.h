#pragma once

#include <asio.hpp>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace orvik::sim {

// The listening end of --serve: a socket on 127.0.0.1 with at most one client connected at a
// time; the others wait in the listen backlog. Once `interrupted` is set, waiting for a client or
// in a pause ends at once, and sending and closing are given a few seconds more, so that the end
// of the campaign reaches a client that reads while SIGINT and SIGTERM end the program even when
// it does not.
class StreamServer {
public:
    // Called when a connection ends, however it ends: its number (from 1) and the bytes sent on it.
    using EndFn = std::function<void(uint64_t connection, uint64_t bytes)>;

    // Throws std::runtime_error when the port cannot be had.
    StreamServer(uint16_t port, const std::atomic<bool>& interrupted, EndFn onEnd);
    ~StreamServer();
    StreamServer(const StreamServer&) = delete;
    StreamServer& operator=(const StreamServer&) = delete;

    // The port listened on: the one the system chose for port 0.
    uint16_t port() const;
    bool connected() const { return socket_.is_open(); }
    uint64_t connections() const { return connections_; }

    // Waits for the next client; false when interrupted first.
    bool accept();
    // Sends the bytes to the client and returns how many the system took: fewer when the client
    // went away or on an interrupt, the connection then ended.
    size_t send(std::span<const char> bytes);
    // Sends nothing for `seconds`, the connection kept open.
    void pause(double seconds);
    // Ends the connection gracefully: every byte sent is delivered and the client sees the end of
    // the stream (no reset), as the client's own end is awaited for a while.
    void close();

private:
    template <typename Cancel>
    void complete(const bool& done, const std::function<bool()>& giveUp, Cancel cancel);
    bool graceOver();
    void end();

    const std::atomic<bool>& interrupted_;
    EndFn onEnd_;
    asio::io_context io_;
    asio::ip::tcp::acceptor acceptor_;
    asio::ip::tcp::socket socket_;
    uint64_t connections_ = 0;
    uint64_t connectionBytes_ = 0;
    std::optional<std::chrono::steady_clock::time_point> interruptSeen_;
};

} // namespace orvik::sim
