// orvik-sim: writes a realistic ORVIK packet archive from a seed.
#include "tools/sim/Options.h"
#include "tools/sim/Serve.h"
#include "tools/sim/Simulator.h"
#include "archive/FileName.h"
#include "tools/cli/Arguments.h"
#include "tools/cli/BinaryOutput.h"

#include <atomic>
#include <csignal>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace {

// Set by SIGINT and SIGTERM: an --append or --serve run without a duration ends at the next step.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void interrupt(int)
{
    interrupted = true;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace orvik::sim;
    orvik::cli::writeStandardStreamsAsIs();
    const std::vector<std::string> args = orvik::cli::commandLineArguments(argc, argv);
    const auto parsed = parseCommandLine(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::cerr << "orvik-sim: " << *message << '\n';
        return 2;
    }
    const auto& commandLine = std::get<CommandLine>(parsed);
    if (commandLine.request != CommandLine::Request::Simulate) {
        std::cout << (commandLine.request == CommandLine::Request::Help ? usageText : versionText + '\n');
        return 0;
    }
    const auto& realTime = commandLine.realTime;
    if (realTime) {
        std::signal(SIGINT, interrupt);
        std::signal(SIGTERM, interrupt);
    }
#ifdef SIGPIPE
    // A client that went away is an error of its connection, not the end of the server.
    if (commandLine.serve)
        std::signal(SIGPIPE, SIG_IGN);
#endif
    try {
        const CampaignSettings settings = realTime ? realTimeSettings(commandLine.settings, *realTime) : commandLine.settings;
        const auto missing = chooseMissingBlocks(settings);
        if (commandLine.serve) {
            const ServeSummary served = serveArchive(settings, missing, *realTime, *commandLine.serve, interrupted, std::cout);
            std::cout << "served " << served.packets << " packets (" << served.bytes << " bytes) over " << served.connections
                      << (served.connections == 1 ? " connection" : " connections") << " in " << std::fixed
                      << std::setprecision(1) << served.seconds << " s" << std::endl;
            return 0;
        }
        // An archive appended to keeps its bytes.
        std::ofstream out(orvik::pathOfName(commandLine.outputPath), std::ios::binary | (realTime ? std::ios::app : std::ios::trunc));
        if (!out) {
            std::cerr << "orvik-sim: cannot write " << commandLine.outputPath << '\n';
            return 1;
        }
        AppendSummary appended;
        if (realTime)
            appended = appendArchive(settings, missing, *realTime, interrupted, out);
        else
            writeArchive(settings, missing, out);
        out.close();
        if (!out) {
            std::cerr << "orvik-sim: writing " << commandLine.outputPath << " failed\n";
            return 1;
        }
        if (realTime)
            std::cout << "appended " << appended.packets << " packets (" << appended.bytes << " bytes) to "
                      << commandLine.outputPath << " in " << std::fixed << std::setprecision(1) << appended.seconds
                      << " s\n";
    } catch (const std::invalid_argument& e) {
        std::cerr << "orvik-sim: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "orvik-sim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
