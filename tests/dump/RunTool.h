#pragma once
// Runs the tools with their standard output and error gathered.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#ifdef _WIN32
#include "archive/FileName.h"

#include <thread>
#include <vector>

#include <windows.h>
#else
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orvik::test {

// What a program wrote on each stream, and its exit code (-1: no normal exit).
struct ProgramRun {
    int code;
    std::string out;
    std::string err;
};

#ifdef _WIN32

// The words of `arguments` as a POSIX shell splits them, for the few forms the tests
// write: words apart by blanks, '...' quoted as it stands.
inline std::vector<std::string> shellWords(const std::string& arguments)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const char c = arguments[i];
        if (c == '\'') {
            const size_t end = arguments.find('\'', i + 1);
            word += arguments.substr(i + 1, end - i - 1);
            i = end == std::string::npos ? arguments.size() : end;
            inWord = true;
        } else if (c == ' ') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// One argument as CommandLineToArgvW reads it back: quoted, with the backslashes before
// a quote doubled.
inline std::wstring quotedArgument(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

inline std::string readAll(HANDLE pipe)
{
    std::string text;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0)
        text.append(buffer, n);
    return text;
}

// Runs `program` with the words of `arguments`, without a shell: standard error goes to
// its own pipe, or into the output's when `mixed`.
inline ProgramRun runWords(const std::string& program, const std::string& arguments, bool mixed)
{
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out[2], err[2] = {nullptr, nullptr};
    if (!CreatePipe(&out[0], &out[1], &inherited, 0) || (!mixed && !CreatePipe(&err[0], &err[1], &inherited, 0)))
        return {-1, {}, "no pipe"};
    SetHandleInformation(out[0], HANDLE_FLAG_INHERIT, 0);
    if (!mixed)
        SetHandleInformation(err[0], HANDLE_FLAG_INHERIT, 0);
    std::wstring commandLine = quotedArgument(pathOfName(program).wstring());
    for (const std::string& word : shellWords(arguments))
        commandLine += L" " + quotedArgument(pathOfName(word).wstring());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = out[1];
    startup.hStdError = mixed ? out[1] : err[1];
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(out[1]);
    if (!mixed)
        CloseHandle(err[1]);
    ProgramRun run{-1, {}, {}};
    std::thread errors;
    if (!mixed)
        errors = std::thread([&] { run.err = readAll(err[0]); });
    if (started)
        run.out = readAll(out[0]);
    if (errors.joinable())
        errors.join();
    CloseHandle(out[0]);
    if (!mixed)
        CloseHandle(err[0]);
    if (!started)
        return {-1, {}, "cannot start " + program};
    DWORD code = 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    if (GetExitCodeProcess(process.hProcess, &code))
        run.code = int(code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

// The exit code (-1: no normal exit) and everything the program wrote.
// `arguments` are split into words as a shell would split them.
inline std::pair<int, std::string> runDump(const std::string& arguments)
{
    const ProgramRun run = runWords(ORVIK_DUMP_PROGRAM, arguments, true);
    return {run.code, run.out};
}

// `arguments` are split into words as a shell would split them.
inline ProgramRun runProgram(const std::string& program, const std::string& arguments)
{
    return runWords(program, arguments, false);
}

#else

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

#endif

} // namespace orvik::test
