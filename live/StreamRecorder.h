#pragma once
// Records what a data system's server sends: a TCP connection to the server, every byte
// received appended to the recording file as it arrives, on a thread of its own. A lost,
// refused or silent connection is tried again after growing delays until stop(). The
// recording is an ordinary archive that a reader follows; what was received before a
// loss stays in it, and a frame the loss cut short is filled up to the length its header
// states with zero bytes, so that the next connection's frames are read where they begin.

#include "live/ServerAddress.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvik::live {

class StreamRecorder {
public:
    using Duration = std::chrono::milliseconds;

    struct Settings {
        Duration firstRetry{1000};  // the delay after the first loss; it doubles with every loss after
        Duration longestRetry{30000};
        Duration connectTimeout{10000};
        Duration silence{60000};    // a connection without a byte this long is dropped and tried again
    };

    enum class State {
        Connecting, // resolving the name or connecting
        Connected,  // receiving
        Waiting,    // the last connection failed or ended; the next try comes after retryIn
        Stopped,    // stop() was called
        Failed,     // the recording could not be written: receiving stopped for good
    };

    // How the last connection ended, for a Waiting state.
    enum class Ending {
        None,
        Refused,  // no server listens at the address
        NotMade,  // the name did not resolve, the server was unreachable or the connect timed out
        Lost,     // the server closed the connection or it broke
        Silent,   // no byte came for Settings::silence
    };

    struct Status {
        State state = State::Connecting;
        std::string server;          // "HOST:PORT"
        std::string recording;       // the recording's file name
        uint64_t bytesReceived = 0;  // from all connections
        uint64_t bytesRecorded = 0;  // written to the recording: the bytes received and any filling
        uint64_t connections = 0;    // connections made so far
        double bytesPerSecond = 0;   // Connected: the rate received over about the last second
        Duration silentFor{0};       // Connected: since the last byte came
        Duration retryIn{0};         // Waiting: until the next try
        Ending ending = Ending::None; // Waiting: how the last connection ended
        std::string problem;         // Waiting: the system's words for it; Failed: what failed
    };

    StreamRecorder(ServerAddress server, std::string recordingPath, Settings settings);
    StreamRecorder(ServerAddress server, std::string recordingPath);
    ~StreamRecorder(); // stop()
    StreamRecorder(const StreamRecorder&) = delete;
    StreamRecorder& operator=(const StreamRecorder&) = delete;

    // Opens the recording for appending (created when missing) and starts receiving. False,
    // with the reason in startError(), when the recording cannot be opened for writing.
    bool start();
    const std::string& startError() const;
    // Ends the connection and the thread; what was received is in the recording, which is closed.
    void stop();

    // Safe from any thread.
    Status status() const;
    // Called on the recorder's thread after bytes were recorded and after each change of state;
    // it must be quick and safe from another thread. Set it before start().
    void setNotify(std::function<void()> notify);

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

// The status in one line, as the status bar and orvik-dump say it: "Connected to HOST:PORT —
// 1.25 MB/s", "Connection lost — retrying in 4 s", "Recording stopped: cannot write FILE: …".
std::string statusText(const StreamRecorder::Status& status);

} // namespace orvik::live
