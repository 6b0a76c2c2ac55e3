#pragma once
// orvik-dump --follow: the time list of an archive another program is still writing.

#include "archive/ArchiveDocument.h"

#include <ostream>
#include <string>

namespace orvik::dump {

// Prints the time list of the opened `doc` (its end waiting like what comes after it),
// then every ~100 ms the entries appended since, until SIGINT or SIGTERM (status 0).
// A file cut short, replaced or gone ends it with one line on `err` (status 1).
int followTimeList(ArchiveDocument& doc, const std::string& fileName, std::ostream& out, std::ostream& err);

} // namespace orvik::dump
