#pragma once
// orvik-dump --export-dump: a memory dump of the time list saved as the
// window's "Save to" saves it.

#include "archive/ArchiveDocument.h"

#include <ostream>

namespace orvik::dump {

// Saves the memory dump of time-list entry k (k < the list's size) in binary or
// text form. 0 on success; otherwise a one-line message on `err` and 2.
int exportDumpEntry(const ArchiveDocument& doc, size_t k, bool binary, const std::string& output, std::ostream& err);

} // namespace orvik::dump
