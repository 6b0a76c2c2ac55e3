#pragma once
// Runs the tools with their standard output and error gathered.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvik::test {

// The exit code (-1: no normal exit) and the standard output of a shell command.
inline std::pair<int, std::string> runShell(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// The exit code (-1: no normal exit) and everything the program wrote.
// `arguments` are passed through the shell as they stand.
inline std::pair<int, std::string> runDump(const std::string& arguments)
{
    return runShell("'" ORVIK_DUMP_PROGRAM "' " + arguments + " 2>&1");
}

// What a program wrote on each stream, and its exit code (-1: no normal exit).
struct ProgramRun {
    int code;
    std::string out;
    std::string err;
};

// `arguments` are passed through the shell as they stand.
inline ProgramRun runProgram(const std::string& program, const std::string& arguments)
{
    char errName[] = "/tmp/orvik-stderr-XXXXXX";
    const int errFile = mkstemp(errName);
    if (errFile < 0)
        return {-1, {}, "no file for standard error"};
    close(errFile);
    const auto [code, out] = runShell("'" + program + "' " + arguments + " 2>'" + errName + "'");
    std::ostringstream err;
    err << std::ifstream(errName).rdbuf();
    std::remove(errName);
    return {code, out, err.str()};
}

} // namespace orvik::test
