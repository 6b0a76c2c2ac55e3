#pragma once
// A tool run as a child process while the test goes on: what it writes is read as
// it comes, signals go to it. Waits have a generous deadline and assert nothing of time.

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvik::test {

class ChildProcess {
public:
    // Where the child's standard error goes: a pipe of its own, or the output's (so
    // that the order of lines on both is kept).
    enum class Errors { Apart, WithOutput };
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds patience{10};

    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 Errors errors = Errors::Apart)
    {
        int out[2], err[2] = {-1, -1};
        if (pipe(out) != 0 || (errors == Errors::Apart && pipe(err) != 0))
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errors == Errors::Apart ? err[1] : out[1], STDERR_FILENO);
        std::vector<std::string> args = arguments;
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        for (int fd : {out[1], err[1]})
            if (fd >= 0)
                close(fd);
        streams_[0].fd = out[0];
        streams_[1].fd = err[0];
    }
    ~ChildProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (const Stream& s : streams_)
            if (s.fd >= 0)
                close(s.fd);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    const std::string& out() const { return streams_[0].text; }
    const std::string& err() const { return streams_[1].text; }
    void signal(int number) const { kill(pid_, number); }

    // Reads until `done` holds of what was read, the child closed its streams or the
    // deadline passed; whether `done` holds.
    bool readUntil(const std::function<bool()>& done)
    {
        const Clock::time_point deadline = Clock::now() + patience;
        while (!done() && Clock::now() < deadline && pump())
            ;
        return done();
    }
    // Reads to the end and waits for the exit: its status, or -1 for no normal exit by the deadline.
    int wait()
    {
        const Clock::time_point deadline = Clock::now() + patience;
        while (Clock::now() < deadline && pump())
            ;
        int status = 0;
        pid_t reaped = 0;
        while ((reaped = waitpid(pid_, &status, WNOHANG)) == 0 && Clock::now() < deadline)
            poll(nullptr, 0, 10);
        if (reaped != pid_)
            return -1;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    struct Stream {
        int fd = -1;
        std::string text;
    };
    // Waits a little for something to read and reads it; false once every stream is closed.
    bool pump()
    {
        pollfd fds[2];
        nfds_t count = 0;
        for (const Stream& s : streams_)
            if (s.fd >= 0)
                fds[count++] = {s.fd, POLLIN, 0};
        if (count == 0)
            return false;
        if (poll(fds, count, 50) <= 0)
            return true;
        for (Stream& s : streams_) {
            const auto ready = std::find_if(fds, fds + count, [&s](const pollfd& p) { return p.fd == s.fd; });
            if (ready == fds + count || ready->revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = read(s.fd, buffer, sizeof buffer);
            if (n > 0) {
                s.text.append(buffer, size_t(n));
            } else {
                close(s.fd);
                s.fd = -1;
            }
        }
        return true;
    }

    pid_t pid_ = -1;
    Stream streams_[2];
};

} // namespace orvik::test
