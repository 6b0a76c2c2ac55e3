#pragma once
// What the follow benchmarks share: orvik-sim started to write a campaign into a
// file in real time or to serve it, and this process's resident memory.

#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

// Starts `sim` with `args` (after the program's name) with its standard output going to
// `report`; the child's id, or 0 when it could not be started.
inline pid_t startSim(const std::string& sim, std::vector<std::string> args, const std::string& report)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, report.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    args.insert(args.begin(), sim);
    std::vector<char*> argp;
    for (std::string& a : args)
        argp.push_back(a.data());
    argp.push_back(nullptr);
    pid_t child = 0;
    const int failed = posix_spawn(&child, sim.c_str(), &actions, nullptr, argp.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? 0 : child;
}

// `sim --append file --rate rate --duration duration`.
inline pid_t startLiveWriter(const std::string& sim, const std::string& file, const std::string& rate,
                             const std::string& duration, const std::string& report)
{
    return startSim(sim, {"--append", file, "--rate", rate, "--duration", duration}, report);
}

// The last line the writer or server printed: its summary.
inline std::string writerReport(const std::string& report)
{
    std::ifstream in(report);
    std::string line, last;
    while (std::getline(in, line))
        last = line;
    return last;
}

inline double residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * double(sysconf(_SC_PAGESIZE));
}
