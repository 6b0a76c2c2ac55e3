// orvik-dump: the viewer's decoding on the command line.

#include "tools/dump/ConnectCommand.h"
#include "tools/dump/DatasetExportCommand.h"
#include "tools/dump/DumpCommands.h"
#include "tools/dump/DumpOptions.h"
#include "tools/dump/ExportCommands.h"
#include "tools/dump/FollowCommand.h"
#include "display/HousekeepingTrend.h"
#include "tools/dump/ReportCommand.h"
#include "tools/cli/Arguments.h"
#include "tools/cli/BinaryOutput.h"

#include "OrvikFeatures.h"

#include <iostream>

using namespace orvik;
using namespace orvik::dump;

int main(int argc, char** argv)
{
    cli::writeStandardStreamsAsIs();
    std::ios::sync_with_stdio(false);
    const ParsedOptions parsed = parseDumpOptions(cli::commandLineArguments(argc, argv));
    if (!parsed.options) {
        std::cerr << "orvik-dump: " << parsed.error << '\n';
        return 2;
    }
    const DumpOptions& options = *parsed.options;
    if (options.command == Command::Help || options.command == Command::Version) {
        std::cout << (options.command == Command::Help ? usageText : versionText + '\n');
        return 0;
    }

    // Unknown mnemonics are told before the archive is read.
    display::HkParameterList trend;
    for (const std::string& mnemonic : options.trend) {
        const display::HkParameter* d = display::parameterNamed(mnemonic);
        if (!d) {
            std::cerr << "orvik-dump: unknown parameter '" << mnemonic << "' (see --help)\n";
            return 2;
        }
        trend.push_back(d);
    }

    if (options.command == Command::Connect) {
        const auto server = live::parseServerAddress(options.server);
        if (const auto* why = std::get_if<std::string>(&server)) {
            std::cerr << "orvik-dump: --connect: " << *why << '\n';
            return 2;
        }
        return recordAndFollow(std::get<live::ServerAddress>(server), options.archive, std::cout, std::cerr);
    }

    ArchiveDocument doc;
    if (!doc.open(options.archive)) {
        std::cerr << "orvik-dump: cannot open " << options.archive << ": " << doc.openError() << '\n';
        return 2;
    }
    for (const std::string& warning : doc.warnings())
        std::cerr << "orvik-dump: warning: " << warning << '\n';

    const auto inRange = [&doc](size_t entry) {
        if (entry < doc.timeListNodes().size())
            return true;
        std::cerr << "orvik-dump: entry " << entry << " is out of range: the time list has "
                  << doc.timeListNodes().size() << " entries\n";
        return false;
    };
    switch (options.command) {
    case Command::Summary: printSummary(doc, std::cout); break;
    case Command::Tree: printTree(doc, std::cout); break;
    case Command::Time: printTimeList(doc, std::cout); break;
    case Command::Follow: return followTimeList(doc, options.archive, std::cout, std::cerr);
    case Command::HkCsv: printHousekeepingCsv(doc, std::cout); break;
    case Command::Trend: printTrend(doc, trend, std::cout); break;
    case Command::Show:
        if (!inRange(options.showEntry))
            return 2;
        if (options.half != 0
            && doc.tree().wrapper(doc.timeListNodes()[options.showEntry]).kind != NodeKind::RegularHk) {
            std::cerr << "orvik-dump: --half 1 applies to a \"Regular HK\" entry only\n";
            return 2;
        }
        printShow(doc, options.showEntry, options, std::cout);
        break;
    case Command::Raw:
        if (!inRange(options.entry))
            return 2;
        printRaw(doc, options.entry, std::cout);
        break;
    case Command::ExportDump:
        if (!inRange(options.entry))
            return 2;
        return exportDumpEntry(doc, options.entry, options.binary, options.output, std::cerr);
    case Command::Mzml:
    case Command::Andi: {
        if (!inRange(options.entry))
            return 2;
        DatasetExportRequest request{options.command == Command::Mzml ? DatasetExportRequest::Format::Mzml
                                                                       : DatasetExportRequest::Format::Andi,
                                     options.entry, options.output, options.zlib, std::nullopt};
        if (!options.series.empty())
            request.series = options.series;
        // A build without the exports refuses the command when parsing it.
        if constexpr (features::datasetExports)
            return exportDatasetEntry(doc, options.archive, request, std::cerr);
        return 2;
    }
    case Command::Report:
        if (!inRange(options.entry))
            return 2;
        if constexpr (features::report)
            return reportEntryOffscreen(doc, options.archive, options.entry, options.output, argv[0], std::cerr);
        return 2;
    case Command::Help:
    case Command::Version:
    case Command::Connect: break;
    }
    std::cout.flush();
    return std::cout ? 0 : 2;
}
