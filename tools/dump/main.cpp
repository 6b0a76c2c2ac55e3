// orvik-dump: the viewer's decoding on the command line.

#include "DumpCommands.h"
#include "DumpOptions.h"

#include <iostream>

using namespace orvik;
using namespace orvik::dump;

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const ParsedOptions parsed = parseDumpOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << "orvik-dump: " << parsed.error << '\n';
        return 2;
    }
    const DumpOptions& options = *parsed.options;
    if (options.command == Command::Help) {
        std::cout << usageText;
        return 0;
    }

    ArchiveDocument doc;
    if (!doc.open(options.archive)) {
        std::cerr << "orvik-dump: cannot open " << options.archive << ": " << doc.openError() << '\n';
        return 2;
    }
    for (const std::string& warning : doc.warnings())
        std::cerr << "orvik-dump: warning: " << warning << '\n';

    switch (options.command) {
    case Command::Summary: printSummary(doc, std::cout); break;
    case Command::Tree: printTree(doc, std::cout); break;
    case Command::Time: printTimeList(doc, std::cout); break;
    case Command::Show:
        if (options.showEntry >= doc.timeListNodes().size()) {
            std::cerr << "orvik-dump: entry " << options.showEntry << " is out of range: the time list has "
                      << doc.timeListNodes().size() << " entries\n";
            return 2;
        }
        if (options.half != 0
            && doc.tree().wrapper(doc.timeListNodes()[options.showEntry]).kind != NodeKind::RegularHk) {
            std::cerr << "orvik-dump: --half 1 applies to a \"Regular HK\" entry only\n";
            return 2;
        }
        printShow(doc, options.showEntry, options, std::cout);
        break;
    case Command::Help: break;
    }
    std::cout.flush();
    return std::cout ? 0 : 2;
}
