#pragma once
// The file version of a program, read from the version information in its
// executable: on Windows its version resource, elsewhere the version block
// the build embeds in it.

#include <filesystem>
#include <string>

namespace orvik::reports {

// Reads the FileVersion string of the string table named by the first translation
// entry into `version`. 0 on success; -1 when the file has no version information
// (or cannot be read at all), -2 when the information cannot be read, -3 when the
// FileVersion entry is missing. `version` is left unchanged on every failure.
int fileVersionOf(const std::filesystem::path& program, std::string& version);

} // namespace orvik::reports
