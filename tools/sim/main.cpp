// orvik-sim: writes a realistic ORVIK packet archive from a seed.
#include "tools/sim/Options.h"
#include "tools/sim/Simulator.h"

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

int main(int argc, char** argv)
{
    using namespace orvik::sim;
    const std::vector<std::string> args(argv + 1, argv + argc);
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
    try {
        const auto missing = chooseMissingBlocks(commandLine.settings);
        std::ofstream out(commandLine.outputPath, std::ios::binary | std::ios::trunc);
        if (!out) {
            std::cerr << "orvik-sim: cannot write " << commandLine.outputPath << '\n';
            return 1;
        }
        writeArchive(commandLine.settings, missing, out);
        out.close();
        if (!out) {
            std::cerr << "orvik-sim: writing " << commandLine.outputPath << " failed\n";
            return 1;
        }
    } catch (const std::invalid_argument& e) {
        std::cerr << "orvik-sim: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "orvik-sim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
