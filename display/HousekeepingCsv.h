#pragma once
// The regular housekeeping of an archive as comma-separated values: a header
// line, then one line per sample (two per "Regular HK" packet, first half first)
// with the on-board time and the engineering value of every parameter of the
// "Regular HK" list, texts exactly as the list view shows them with "." as the
// decimal separator. A word a packet does not hold is "-", as in the list view.
// Internal HK packets and "Full HK" records are not samples of this collection
// and are left out.

#include "archive/ArchiveDocument.h"
#include "display/Parameters.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvik::display {

// "LOBT [UTC]" and "MNEMONIC [UNIT]" per parameter (the mnemonic alone where the
// unit is "-"), ending in a line break.
std::string housekeepingCsvHeader(const HkParameterList& columns);
// An on-board time as the time field of a sample: "2003-01-01 00:00:01,000" in quotes.
std::string csvSampleTime(int64_t ticks);
// The sample of the block's half: its time as "2003-01-01 00:00:01,000" (quoted for
// its comma; "-" without LOBT words), then the parameters' values, and a line break.
void appendHousekeepingCsvRow(std::string& out, const HkParameterList& columns, WordView block, int half);

// Text is handed on in pieces of about this size: an archive may give millions of lines.
constexpr size_t csvPieceSize = 1 << 16;
// Takes the text piece by piece; false when it could not be written.
using CsvSink = std::function<bool(std::string_view text)>;
enum class CsvResult { Written, WriteFailed, Cancelled };

// The header and every sample of the archive, in file order.
CsvResult writeHousekeepingCsv(const ArchiveDocument& doc, const HkParameterList& columns, const CsvSink& sink,
                               const ProgressFn& progress = {});

} // namespace orvik::display
