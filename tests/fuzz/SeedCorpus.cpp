// Writes the hand-made malformed seeds of the fuzzers: archives into ARCHIVE_DIR,
// science-stream words into STREAM_DIR. Simulated archives join them from the build.
//
//   fuzz_seeds ARCHIVE_DIR STREAM_DIR

#include "tests/archive/MalformedArchives.h"

#include <cstdio>
#include <fstream>

using namespace orvik;
using namespace orvik::test;

namespace {

bool writeAll(const std::string& dir, const Seeds& seeds)
{
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(std::filesystem::path(dir) / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "fuzz_seeds: cannot write %s/%s\n", dir.c_str(), name.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds ARCHIVE_DIR STREAM_DIR\n");
        return 2;
    }
    return writeAll(argv[1], malformedArchives()) && writeAll(argv[2], malformedStreams()) ? 0 : 1;
}
