#pragma once
// The built orvik-sim run as a child process, its standard output and error gathered, so that a
// test can signal it while it runs.

#include <csignal>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvik::sim::test {

struct Finished {
    int code = -1; // -1: no normal exit
    std::string out;
    std::string err;
};

class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args)
    {
        std::vector<std::string> argv{ORVIK_SIM_PROGRAM};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> pointers;
        for (std::string& arg : argv)
            pointers.push_back(arg.data());
        pointers.push_back(nullptr);
        if (pipe(out_) != 0 || pipe(err_) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out_[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err_[1], STDERR_FILENO);
        for (const int fd : {out_[0], out_[1], err_[0], err_[1]})
            posix_spawn_file_actions_addclose(&actions, fd);
        if (posix_spawn(&pid_, argv.front().c_str(), &actions, nullptr, pointers.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out_[1]);
        close(err_[1]);
    }
    ~SimProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_[0]);
        close(err_[0]);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return pid_ > 0; }
    void signal(int number) const { kill(pid_, number); }

    // The next line of standard output, its end included; what came before the end of the output
    // when there is no further line. finish() gives the lines read here again.
    std::string readLine()
    {
        const size_t start = outSoFar_.size();
        char c = 0;
        while (read(out_[0], &c, 1) == 1) {
            outSoFar_ += c;
            if (c == '\n')
                break;
        }
        return outSoFar_.substr(start);
    }

    // Waits for the end of the program.
    Finished finish()
    {
        Finished finished{-1, outSoFar_ + readAll(out_[0]), readAll(err_[0])};
        int status = 0;
        if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status))
            finished.code = WEXITSTATUS(status);
        pid_ = -1;
        return finished;
    }

private:
    static std::string readAll(int fd)
    {
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, size_t(n));
        return text;
    }

    pid_t pid_ = -1;
    std::string outSoFar_;
    int out_[2] = {-1, -1};
    int err_[2] = {-1, -1};
};

inline Finished runSim(const std::vector<std::string>& args)
{
    return SimProcess(args).finish();
}

} // namespace orvik::sim::test
