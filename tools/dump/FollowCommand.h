#pragma once
// orvik-dump --follow: the time list of an archive another program is still writing.

#include "archive/ArchiveDocument.h"

#include <functional>
#include <ostream>
#include <string>

namespace orvik::dump {

// Called before each step with whether SIGINT or SIGTERM came; false ends following after the
// step, as the signal does. What writes the file stops on the signal, so that the last step
// takes in all it wrote.
using BeforeStep = std::function<bool(bool interrupted)>;

// Prints the time list of the opened `doc` (its end waiting like what comes after it),
// then every ~100 ms the entries appended since, until SIGINT or SIGTERM (status 0) or
// `beforeStep` ends it (status 1). A file cut short, replaced or gone ends it with one line
// on `err` (status 1).
int followTimeList(ArchiveDocument& doc, const std::string& fileName, std::ostream& out, std::ostream& err,
                   const BeforeStep& beforeStep = {});

} // namespace orvik::dump
