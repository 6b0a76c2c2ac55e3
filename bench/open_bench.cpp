// Open-flow benchmark: how an open (read, classify, build the tree and time list)
// compares with merely reading the same warm file into one buffer backed by huge
// pages, as the reader's own buffers are, and the peak memory of `orvik-dump FILE`
// against the file size. The read into plain memory is shown beside it: the page
// faults of 4 KiB pages that the huge pages save.
//
//   open_bench ARCHIVE [ORVIK_DUMP]

#include "bench/BestOf.h"
#include "archive/ArchiveDocument.h"
#include "archive/PageBackedBuffer.h"

#include <algorithm>
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
orvik::PageBackedBuffer readWhole(const std::string& path, size_t size, orvik::PageBacking backing)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    orvik::PageBackedBuffer buffer(size, backing);
    size_t got = 0;
    while (f && got < size) {
        const size_t n = std::fread(buffer.data() + got, 1, std::min<size_t>(size - got, 8 << 20), f.get());
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
    // orvik-dump runs first: the child's peak would otherwise carry this process's own high-water
    // mark, which a child started by system() shares until it executes the program.
    double dumpPeak = 0;
#ifdef ORVIK_HAVE_RUSAGE
    if (argc > 2) {
        const std::string command = std::string("\"") + argv[2] + "\" \"" + path + "\" > /dev/null";
        if (std::system(command.c_str()) != 0)
            return 1;
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        dumpPeak = double(usage.ru_maxrss) * 1024.0;
    }
#endif
    using orvik::PageBacking;
    const bool hugePages = readWhole(path, size, PageBacking::HugePagesWhereOffered).hugePages(); // warms the cache

    size_t packets = 0, nodes = 0;
    uint64_t hugePageBytes = 0;
    const double plainSeconds = bestOf(3, [&] { return readWhole(path, size, PageBacking::Plain); });
    const double readSeconds = bestOf(5, [&] { return readWhole(path, size, PageBacking::HugePagesWhereOffered); });
    const double openSeconds = bestOf(5, [&] {
        auto doc = std::make_unique<orvik::ArchiveDocument>();
        doc->open(path);
        packets = doc->reader().count();
        nodes = doc->tree().size();
        hugePageBytes = doc->reader().hugePageBytes();
        return doc;
    });
    std::printf("file: %.1f MB, %zu packets, %zu nodes\n", size / 1e6, packets, nodes);
    std::printf("read into one plain buffer: %.3f s\n", plainSeconds);
    std::printf("read into one buffer in huge pages (%s): %.3f s\n", hugePages ? "advised" : "not offered here",
                readSeconds);
    std::printf("open: %.3f s (%.0f%% of the bytes read held in huge pages)\nopen / huge-page read ratio: %.2f\n",
                openSeconds, 100.0 * double(hugePageBytes) / double(std::max<size_t>(size, 1)),
                openSeconds / readSeconds);

    // How long a Cancel may wait: the longest stretch of a re-open (the previous archive is
    // released first) without a progress report, and how soon a Cancel at half way ends it.
    {
        using Clock = std::chrono::steady_clock;
        orvik::ArchiveDocument doc;
        doc.open(path);
        Clock::time_point last = Clock::now();
        double longest = 0;
        size_t reports = 0;
        const auto note = [&] {
            const auto now = Clock::now();
            longest = std::max(longest, std::chrono::duration<double>(now - last).count());
            last = now;
        };
        doc.open(path, [&](double) {
            note();
            ++reports;
            return true;
        });
        note();
        Clock::time_point cancelledAt;
        doc.open(path, [&](double done) {
            if (done < 0.5)
                return true;
            cancelledAt = Clock::now();
            return false;
        });
        const double cancelSeconds = std::chrono::duration<double>(Clock::now() - cancelledAt).count();
        std::printf("longest wait between progress reports of an open: %.1f ms (%zu reports)\n"
                    "a Cancel at half way ends the open after: %.1f ms\n",
                    longest * 1e3, reports, cancelSeconds * 1e3);
    }

    if (dumpPeak > 0)
        std::printf("orvik-dump peak memory: %.1f MB\npeak memory / file size ratio: %.3f\n", dumpPeak / 1e6,
                    dumpPeak / double(size));
    return 0;
}
