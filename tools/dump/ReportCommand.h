#pragma once
// orvik-dump --report: the GC report of a dataset as a PDF file, laid out by the
// same report as the window previews. Needs a QGuiApplication.

#include "archive/ArchiveDocument.h"

#include <ostream>

namespace orvik::dump {

// Writes the GC report of the dataset that holds time-list entry k (k < the list's
// size) to `output`. 0 on success; otherwise a one-line message on `err` and 2.
int reportEntry(const ArchiveDocument& doc, const std::string& archive, size_t k, const std::string& output,
                std::ostream& err);

// reportEntry in a program without a window system: sets up Qt's GUI layer offscreen, with
// Qt's own messages reduced to its errors on `err`.
int reportEntryOffscreen(const ArchiveDocument& doc, const std::string& archive, size_t k, const std::string& output,
                         char* program, std::ostream& err);

} // namespace orvik::dump
