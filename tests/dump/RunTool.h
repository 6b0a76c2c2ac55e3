#pragma once
// Runs the orvik-dump program with its standard output and error gathered.

#include <cstdio>
#include <string>
#include <utility>

#include <sys/wait.h>

namespace orvik::test {

// The exit code (-1: no normal exit) and everything the program wrote.
// `arguments` are passed through the shell as they stand.
inline std::pair<int, std::string> runDump(const std::string& arguments)
{
    const std::string command = "'" ORVIK_DUMP_PROGRAM "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

} // namespace orvik::test
