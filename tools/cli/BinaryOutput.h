#pragma once
// The tools print the same bytes on every system: Windows' C runtime would turn each line
// end on standard output and error into CR LF (and CR LF inside a CSV line into CR CR LF).

namespace orvik::cli {

void writeStandardStreamsAsIs();

} // namespace orvik::cli
