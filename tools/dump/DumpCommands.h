#pragma once
// What orvik-dump prints of an opened archive, in the window's own texts.

#include "archive/ArchiveDocument.h"
#include "tools/dump/DumpOptions.h"
#include "display/Parameters.h"

#include <ostream>

namespace orvik::dump {

// Status-bar texts, then one "NAME<TAB>COUNT" line per statistics row.
void printSummary(const ArchiveDocument& doc, std::ostream& out);
// One line per node in tree order, indented two spaces per level.
void printTree(const ArchiveDocument& doc, std::ostream& out);
// What showing time-list entry k writes into the components, one property a line;
// with `half` 1 the second half of the housekeeping block is then picked as well.
void printShow(const ArchiveDocument& doc, size_t k, const DumpOptions& options, std::ostream& out);
// The raw view of time-list entry k (k < the list's size): header fields, then the hex dump.
void printRaw(const ArchiveDocument& doc, size_t k, std::ostream& out);
// One "K<TAB>TEXT" line per time-list entry.
void printTimeList(const ArchiveDocument& doc, std::ostream& out);
// The same lines for the entries from `from` up to `end`.
void printTimeListEntries(const ArchiveDocument& doc, size_t from, size_t end, std::ostream& out);
// The regular housekeeping samples as CSV, with the columns of the "Regular HK" list.
void printHousekeepingCsv(const ArchiveDocument& doc, std::ostream& out);
// --trend: the series of these parameters as CSV (see writeTrendCsv).
void printTrend(const ArchiveDocument& doc, const display::HkParameterList& parameters, std::ostream& out);

} // namespace orvik::dump
