#include "tools/cli/Arguments.h"

#ifdef _WIN32
#include "archive/FileName.h"

#include <windows.h>
#include <shellapi.h>
#endif

namespace orvik::cli {

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
#ifdef _WIN32
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i)
            args.push_back(nameOfPath(std::filesystem::path(wide[i])));
        LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace orvik::cli
