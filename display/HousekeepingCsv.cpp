#include "display/HousekeepingCsv.h"

#include "display/CsvField.h"
#include "display/HousekeepingRows.h"
#include "display/HousekeepingSamples.h"
#include "display/WordFormat.h"
#include "archive/OnBoardTime.h"

namespace orvik::display {

namespace {
constexpr const char* timeFormat = "%Y-%m-%d %H:%M:%S";
} // namespace

std::string housekeepingCsvHeader(const HkParameterList& columns)
{
    std::string header = "LOBT [UTC]";
    for (const HkParameter* d : columns) {
        header += ',';
        header += csvField(titleWithUnit(*d));
    }
    header += '\n';
    return header;
}

std::string csvSampleTime(int64_t ticks)
{
    return csvField(formatOnBoardTime(ticks, timeFormat));
}

void appendHousekeepingCsvRow(std::string& out, const HkParameterList& columns, WordView block, int half)
{
    const std::optional<int64_t> ticks = sampleTicks(block, half);
    out += orDash(ticks, csvSampleTime);
    for (const HkParameter* d : columns) {
        out += ',';
        out += csvField(housekeepingValue(*d, block, half, "."));
    }
    out += '\n';
}

CsvResult writeHousekeepingCsv(const ArchiveDocument& doc, const HkParameterList& columns, const CsvSink& sink,
                               const ProgressFn& progress)
{
    const std::vector<WordView> blocks = regularHkBlocks(doc);
    std::string text = housekeepingCsvHeader(columns);
    text.reserve(2 * csvPieceSize);
    for (size_t i = 0; i < blocks.size(); ++i) {
        for (int half = 0; half < samplesPerBlock; ++half)
            appendHousekeepingCsvRow(text, columns, blocks[i], half);
        if (text.size() < csvPieceSize)
            continue;
        if (!sink(text))
            return CsvResult::WriteFailed;
        text.clear();
        if (progress && !progress(double(i + 1) / double(blocks.size())))
            return CsvResult::Cancelled;
    }
    if (!sink(text))
        return CsvResult::WriteFailed;
    return CsvResult::Written;
}

} // namespace orvik::display
