// Open-flow benchmark: how an open (read, classify, build the tree and time list)
// compares with merely reading the same warm file into one buffer, and the peak
// memory of `orvik-dump FILE` against the file size.
//
//   open_bench ARCHIVE [ORVIK_DUMP]

#include "bench/BestOf.h"
#include "archive/ArchiveDocument.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#if __has_include(<sys/resource.h>)
#include <sys/resource.h>
#define ORVIK_HAVE_RUSAGE 1
#endif

namespace {

// The baseline: the whole file into one fresh buffer, in 8 MiB reads.
std::unique_ptr<unsigned char[]> readWhole(const std::string& path, size_t size)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(size);
    size_t got = 0;
    while (f && got < size) {
        const size_t n = std::fread(buffer.get() + got, 1, std::min<size_t>(size - got, 8 << 20), f.get());
        if (n == 0)
            break;
        got += n;
    }
    return buffer;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_bench ARCHIVE [ORVIK_DUMP]\n");
        return 2;
    }
    const std::string path = argv[1];
    std::error_code ec;
    const auto size = size_t(std::filesystem::file_size(path, ec));
    if (ec) {
        std::fprintf(stderr, "open_bench: %s: %s\n", path.c_str(), ec.message().c_str());
        return 2;
    }
    readWhole(path, size); // warm the page cache

    size_t packets = 0, nodes = 0;
    const double readSeconds = bestOf(5, [&] { return readWhole(path, size); });
    const double openSeconds = bestOf(5, [&] {
        auto doc = std::make_unique<orvik::ArchiveDocument>();
        doc->open(path);
        packets = doc->reader().count();
        nodes = doc->tree().size();
        return doc;
    });
    std::printf("file: %.1f MB, %zu packets, %zu nodes\n", size / 1e6, packets, nodes);
    std::printf("read into one buffer: %.3f s\nopen: %.3f s\nopen / read ratio: %.2f\n", readSeconds,
                openSeconds, openSeconds / readSeconds);

#ifdef ORVIK_HAVE_RUSAGE
    if (argc > 2) {
        const std::string command = std::string("\"") + argv[2] + "\" \"" + path + "\" > /dev/null";
        if (std::system(command.c_str()) != 0)
            return 1;
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        const double peak = double(usage.ru_maxrss) * 1024.0;
        std::printf("orvik-dump peak memory: %.1f MB\npeak memory / file size ratio: %.2f\n", peak / 1e6,
                    peak / double(size));
    }
#endif
    return 0;
}
