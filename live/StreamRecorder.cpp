#include "live/StreamRecorder.h"

#include "live/CutFrameFiller.h"
#include "archive/FileName.h"

#include <asio.hpp>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace orvik::live {

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::tcp;
constexpr size_t receiveChunk = 64 * 1024;
constexpr auto rateWindow = std::chrono::seconds(1);

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

struct StreamRecorder::Worker {
    Worker(ServerAddress server, std::string path, Settings settings)
        : server(std::move(server)), path(std::move(path)), settings(settings), nextDelay(settings.firstRetry)
    {
        status.server = this->server.text();
        status.recording = this->path;
    }

    // The recorder's thread, from start() to stop() or a failure to write.
    void connect();
    void notMade(const asio::error_code& e);
    void connected();
    void receive();
    void received(size_t bytes);
    void connectionEnded(Ending ending, const std::string& why);
    bool record(const uint8_t* bytes, size_t size);
    void fail(std::string problem);
    void setState(State state, std::string problem = {}, Ending ending = Ending::None);
    void changed()
    {
        if (notify)
            notify();
    }

    const ServerAddress server;
    const std::string path;
    const Settings settings;
    std::function<void()> notify;
    std::string startError;
    std::unique_ptr<std::FILE, FileCloser> file;

    asio::io_context io;
    tcp::resolver resolver{io};
    tcp::socket socket{io};
    asio::steady_timer deadline{io}; // the connect timeout, then the silence allowed
    asio::steady_timer retry{io};
    std::array<uint8_t, receiveChunk> buffer{};
    CutFrameFiller frames;
    Duration nextDelay;
    bool gotBytes = false; // on the current connection
    std::thread thread;

    mutable std::mutex mutex; // guards what follows
    Status status;
    Clock::time_point lastByte{}, retryAt{};
    std::deque<std::pair<Clock::time_point, size_t>> recent; // reads within the rate window
};

void StreamRecorder::Worker::setState(State state, std::string problem, Ending ending)
{
    {
        const std::lock_guard lock(mutex);
        status.state = state;
        status.problem = std::move(problem);
        status.ending = ending;
    }
    changed();
}

void StreamRecorder::Worker::connect()
{
    setState(State::Connecting);
    gotBytes = false;
    deadline.expires_after(settings.connectTimeout);
    deadline.async_wait([this](const asio::error_code& e) {
        if (!e) {
            resolver.cancel();
            socket.close();
        }
    });
    resolver.async_resolve(server.host, std::to_string(server.port),
                           [this](const asio::error_code& e, const tcp::resolver::results_type& endpoints) {
                               if (e)
                                   return notMade(e);
                               asio::async_connect(socket, endpoints, [this](const asio::error_code& e, const tcp::endpoint&) {
                                   if (e == asio::error::connection_refused)
                                       return connectionEnded(Ending::Refused, e.message());
                                   if (e)
                                       return notMade(e);
                                   connected();
                               });
                           });
}

void StreamRecorder::Worker::notMade(const asio::error_code& e)
{
    // The deadline cancels what is under way.
    connectionEnded(Ending::NotMade, e == asio::error::operation_aborted ? "timed out" : e.message());
}

void StreamRecorder::Worker::connected()
{
    asio::error_code ignored;
    socket.set_option(asio::socket_base::keep_alive(true), ignored);
    {
        const std::lock_guard lock(mutex);
        ++status.connections;
        lastByte = Clock::now();
    }
    setState(State::Connected);
    receive();
}

void StreamRecorder::Worker::receive()
{
    deadline.expires_after(settings.silence);
    deadline.async_wait([this](const asio::error_code& e) {
        if (!e)
            socket.close(); // the read ends with operation_aborted
    });
    socket.async_read_some(asio::buffer(buffer), [this](const asio::error_code& e, size_t bytes) {
        if (bytes > 0)
            received(bytes);
        if (!socket.is_open() && !e)
            return; // a failure to write closed it
        if (e == asio::error::operation_aborted)
            return connectionEnded(Ending::Silent, "no data for " + std::to_string(settings.silence.count() / 1000) + " s");
        if (e == asio::error::eof)
            return connectionEnded(Ending::Lost, "closed by the server");
        if (e)
            return connectionEnded(Ending::Lost, e.message());
        receive();
    });
}

void StreamRecorder::Worker::received(size_t bytes)
{
    if (!record(buffer.data(), bytes))
        return;
    gotBytes = true;
    const Clock::time_point now = Clock::now();
    {
        const std::lock_guard lock(mutex);
        status.bytesReceived += bytes;
        lastByte = now;
        recent.emplace_back(now, bytes);
        while (now - recent.front().first >= rateWindow)
            recent.pop_front();
    }
    changed();
}

bool StreamRecorder::Worker::record(const uint8_t* bytes, size_t size)
{
    // Flushed at once: the reader that follows the recording sees each piece as it comes.
    if (std::fwrite(bytes, 1, size, file.get()) != size || std::fflush(file.get()) != 0) {
        fail("cannot write " + path + ": " + std::strerror(errno));
        return false;
    }
    frames.take({bytes, size});
    const std::lock_guard lock(mutex);
    status.bytesRecorded += size;
    return true;
}

void StreamRecorder::Worker::fail(std::string problem)
{
    asio::error_code ignored;
    deadline.cancel();
    retry.cancel();
    resolver.cancel();
    socket.close(ignored);
    setState(State::Failed, std::move(problem));
}

void StreamRecorder::Worker::connectionEnded(Ending ending, const std::string& why)
{
    {
        const std::lock_guard lock(mutex);
        if (status.state == State::Failed)
            return;
    }
    asio::error_code ignored;
    deadline.cancel();
    socket.close(ignored);
    const std::vector<uint8_t> filler = frames.filler();
    if (!filler.empty() && !record(filler.data(), filler.size()))
        return;
    // A connection that brought data starts the delays again from the first.
    if (gotBytes)
        nextDelay = settings.firstRetry;
    const Duration delay = nextDelay;
    nextDelay = std::min(nextDelay * 2, settings.longestRetry);
    {
        const std::lock_guard lock(mutex);
        retryAt = Clock::now() + delay;
        recent.clear();
    }
    setState(State::Waiting, why, ending);
    retry.expires_after(delay);
    retry.async_wait([this](const asio::error_code& e) {
        if (!e)
            connect();
    });
}

StreamRecorder::StreamRecorder(ServerAddress server, std::string recordingPath, Settings settings)
    : worker_(std::make_unique<Worker>(std::move(server), std::move(recordingPath), settings))
{
}

StreamRecorder::StreamRecorder(ServerAddress server, std::string recordingPath)
    : StreamRecorder(std::move(server), std::move(recordingPath), Settings{})
{
}

StreamRecorder::~StreamRecorder()
{
    stop();
}

bool StreamRecorder::start()
{
    Worker& w = *worker_;
    if (w.thread.joinable())
        return true;
    w.file.reset(openFileNamed(w.path, "ab"));
    if (!w.file) {
        w.startError = "cannot write " + w.path + ": " + std::strerror(errno);
        return false;
    }
    w.startError.clear();
    asio::post(w.io, [&w] { w.connect(); });
    w.thread = std::thread([&w] { w.io.run(); });
    return true;
}

const std::string& StreamRecorder::startError() const
{
    return worker_->startError;
}

void StreamRecorder::stop()
{
    Worker& w = *worker_;
    if (!w.thread.joinable())
        return;
    w.io.stop();
    w.thread.join();
    asio::error_code ignored;
    w.socket.close(ignored);
    w.file.reset();
    {
        const std::lock_guard lock(w.mutex);
        if (w.status.state == State::Failed)
            return;
    }
    w.setState(State::Stopped);
}

StreamRecorder::Status StreamRecorder::status() const
{
    const Worker& w = *worker_;
    const Clock::time_point now = Clock::now();
    const std::lock_guard lock(w.mutex);
    Status status = w.status;
    const auto since = [now](Clock::time_point then) {
        return std::max(Duration(0), std::chrono::duration_cast<Duration>(now - then));
    };
    if (status.state == State::Connected) {
        status.silentFor = since(w.lastByte);
        size_t bytes = 0;
        for (const auto& [when, size] : w.recent)
            if (now - when < rateWindow)
                bytes += size;
        status.bytesPerSecond = double(bytes) / std::chrono::duration<double>(rateWindow).count();
    }
    if (status.state == State::Waiting)
        status.retryIn = std::max(Duration(0), std::chrono::duration_cast<Duration>(w.retryAt - now));
    return status;
}

void StreamRecorder::setNotify(std::function<void()> notify)
{
    worker_->notify = std::move(notify);
}

} // namespace orvik::live
