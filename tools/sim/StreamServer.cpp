#include "tools/sim/StreamServer.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace orvik::sim {

namespace {

using Clock = std::chrono::steady_clock;

// The longest time between two looks at whether to give up a wait.
constexpr std::chrono::milliseconds kPoll{10};
// How long a closed connection waits for the client's own end before it lets go.
constexpr std::chrono::seconds kLinger{5};
// How long sending and closing go on after an interrupt.
constexpr std::chrono::seconds kGrace{3};

} // namespace

StreamServer::StreamServer(uint16_t port, const std::atomic<bool>& interrupted, EndFn onEnd)
    : interrupted_(interrupted)
    , onEnd_(std::move(onEnd))
    , acceptor_(io_)
    , socket_(io_)
{
    const asio::ip::tcp::endpoint endpoint(asio::ip::address_v4::loopback(), port);
    try {
        acceptor_.open(endpoint.protocol());
        acceptor_.set_option(asio::socket_base::reuse_address(true));
        acceptor_.bind(endpoint);
        acceptor_.listen();
    } catch (const asio::system_error& e) {
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + e.code().message());
    }
}

StreamServer::~StreamServer() = default;

uint16_t StreamServer::port() const
{
    return acceptor_.local_endpoint().port();
}

// Runs the pending operation until its handler set `done`; once `giveUp` holds, `cancel` stops
// the operation and its handler runs with the error operation_aborted.
template <typename Cancel>
void StreamServer::complete(const bool& done, const std::function<bool()>& giveUp, Cancel cancel)
{
    bool cancelled = false;
    while (!done) {
        if (!cancelled && giveUp()) {
            cancel();
            cancelled = true;
        }
        io_.restart();
        io_.run_one_for(kPoll);
    }
}

bool StreamServer::accept()
{
    bool done = false;
    asio::error_code error;
    acceptor_.async_accept(socket_, [&](const asio::error_code& e) {
        error = e;
        done = true;
    });
    complete(done, [this] { return interrupted_.load(); }, [this] { acceptor_.cancel(); });
    if (error) {
        asio::error_code ignored;
        socket_.close(ignored);
        return false;
    }
    ++connections_;
    connectionBytes_ = 0;
    return true;
}

size_t StreamServer::send(std::span<const char> bytes)
{
    bool done = false;
    asio::error_code error;
    size_t sent = 0;
    asio::async_write(socket_, asio::buffer(bytes.data(), bytes.size()), [&](const asio::error_code& e, size_t n) {
        error = e;
        sent = n;
        done = true;
    });
    complete(done, [this] { return graceOver(); }, [this] { socket_.cancel(); });
    connectionBytes_ += sent;
    if (error)
        end();
    return sent;
}

void StreamServer::pause(double seconds)
{
    const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (auto now = Clock::now(); now < until && !interrupted_.load(); now = Clock::now())
        std::this_thread::sleep_for(std::min<Clock::duration>(until - now, kPoll));
}

void StreamServer::close()
{
    asio::error_code error;
    socket_.shutdown(asio::socket_base::shutdown_send, error);
    // Whatever the client still sends is read and dropped: closing with unread bytes would reset
    // the connection and could cost the client the end of the stream.
    const auto until = Clock::now() + kLinger;
    char scratch[4096];
    while (!error) {
        bool done = false;
        socket_.async_read_some(asio::buffer(scratch), [&](const asio::error_code& e, size_t) {
            error = e;
            done = true;
        });
        complete(done, [&] { return graceOver() || Clock::now() >= until; }, [this] { socket_.cancel(); });
    }
    end();
}

bool StreamServer::graceOver()
{
    if (!interrupted_.load())
        return false;
    if (!interruptSeen_)
        interruptSeen_ = Clock::now();
    return Clock::now() - *interruptSeen_ >= kGrace;
}

void StreamServer::end()
{
    asio::error_code ignored;
    socket_.close(ignored);
    onEnd_(connections_, connectionBytes_);
}

} // namespace orvik::sim
