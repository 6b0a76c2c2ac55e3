#pragma once
// The built `orvik-sim --serve 0 ...` as a child process: the port it listens on, the
// bytes each connection was sent (with --copy), its exit.

#include "tests/dump/ChildProcess.h"

#include <regex>
#include <string>
#include <vector>

namespace orvik::test {

class SimServer {
public:
    explicit SimServer(const std::vector<std::string>& options, const std::string& port = "0")
        : process_(ORVIK_SIM_PROGRAM, arguments(options, port))
    {
        static const std::regex listening("listening on 127\\.0\\.0\\.1:([0-9]+)\n");
        std::smatch match;
        if (process_.readUntil([&] { return std::regex_search(process_.out(), match, listening); }))
            port_ = uint16_t(std::stoul(match[1]));
    }

    // 0 when the server did not start listening.
    uint16_t port() const { return port_; }
    // Waits for the end of the campaign: the exit status.
    int finish() { return process_.wait(); }
    void signal(int number) const { process_.signal(number); }
    const std::string& out() const { return process_.out(); }
    // What each ended connection was sent, from the lines `--copy` makes the server print.
    std::vector<size_t> connectionBytes() const
    {
        static const std::regex sent("connection [0-9]+: sent ([0-9]+) bytes");
        std::vector<size_t> bytes;
        for (auto m = std::sregex_iterator(out().begin(), out().end(), sent); m != std::sregex_iterator(); ++m)
            bytes.push_back(std::stoul((*m)[1]));
        return bytes;
    }

private:
    static std::vector<std::string> arguments(const std::vector<std::string>& options, const std::string& port)
    {
        std::vector<std::string> args{"--serve", port};
        args.insert(args.end(), options.begin(), options.end());
        return args;
    }

    ChildProcess process_;
    uint16_t port_ = 0;
};

} // namespace orvik::test
