#pragma once
// The command line's arguments after the program's name, as UTF-8 like every file name the
// cores take. Windows hands main() its arguments in the ANSI code page, where characters
// beyond it are lost: there they are read from the wide command line instead.

#include <string>
#include <vector>

namespace orvik::cli {

std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace orvik::cli
