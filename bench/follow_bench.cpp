// Follow benchmark: orvik-sim writes a campaign into a file in real time while a
// document follows it as the viewer does, polling every 20 ms. Reports the packets
// shown against those written, the latency from a packet's arrival in the file to
// its entry in the time list, the time one follow step takes (the time the window's
// event loop would be held), and the memory per packet against an open of the
// finished file.
//
//   follow_bench ORVIK_SIM [PACKETS_PER_SECOND [SECONDS]]     (default 5000 for 60 s)

#include "bench/GrowthClock.h"
#include "bench/LiveWriter.h"
#include "archive/ArchiveDocument.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/wait.h>

namespace {

using Clock = GrowthClock::Clock;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}


// The time-list entries added by the update: the new early block, then the new later ones.
std::vector<orvik::NodeId> newEntries(const orvik::ArchiveDocument& doc, const orvik::CategoryTree::Mark& from)
{
    const orvik::TimeList& list = doc.timeListNodes();
    std::vector<orvik::NodeId> ids;
    const auto take = [&](size_t first, size_t end) {
        for (size_t k = first; k < end; ++k)
            ids.push_back(list[k]);
    };
    take(list.entriesBelow(from.early), list.entriesBelow(orvik::laterNodes));
    take(list.entriesBelow(orvik::laterNodes + from.later), list.size());
    return ids;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: follow_bench ORVIK_SIM [PACKETS_PER_SECOND [SECONDS]]\n");
        return 2;
    }
    const std::string rate = argc > 2 ? argv[2] : "5000", duration = argc > 3 ? argv[3] : "60";
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir = tmp ? tmp : "/tmp";
    const std::string file = dir + "/orvik-follow-bench.cvlbin", report = dir + "/orvik-follow-bench.txt";
    std::filesystem::remove(file);
    std::ofstream(file, std::ios::binary).close();

    const double baseline = residentBytes();
    auto doc = std::make_unique<orvik::ArchiveDocument>();
    doc->open(file);
    GrowthClock clock(file);

    const pid_t writer = startLiveWriter(argv[1], file, rate, duration, report);
    if (writer == 0) {
        std::fprintf(stderr, "follow_bench: cannot start %s\n", argv[1]);
        return 2;
    }

    std::vector<double> latencies, steps;
    uint64_t reshaped = 0;
    for (bool writing = true;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        int status = 0;
        if (writing && waitpid(writer, &status, WNOHANG) == writer)
            writing = false;
        const auto start = Clock::now();
        const orvik::ArchiveDocument::Update update = doc->follow(4 << 20);
        const auto shown = Clock::now();
        if (update.change != orvik::ESAPacket::FileChange::Grown) {
            if (!writing)
                break;
            continue;
        }
        steps.push_back(seconds(shown - start) * 1e3);
        reshaped += update.reshaped;
        for (orvik::NodeId id : newEntries(*doc, update.from))
            if (const orvik::RawPacket* packet = doc->tree().wrapper(id).packet())
                if (const auto written = clock.reached(*doc->reader().fileOffset(*packet) + packet->size))
                    latencies.push_back(seconds(shown - *written) * 1e3);
    }
    doc->settle();
    const double followBytes = residentBytes() - baseline;
    const size_t shownPackets = doc->reader().count();
    const size_t shownEntries = doc->timeListNodes().size();
    doc.reset();
    malloc_trim(0);

    const double openBaseline = residentBytes();
    orvik::ArchiveDocument whole;
    whole.open(file);
    const double openBytes = residentBytes() - openBaseline;

    std::printf("writer: %s\n", writerReport(report).c_str());
    std::printf("packets shown: %zu (an open of the file: %zu); time-list entries %zu (open: %zu)\n", shownPackets,
                whole.reader().count(), shownEntries, whole.timeListNodes().size());
    const double stepP50 = quantile(steps, 0.5), stepP99 = quantile(steps, 0.99), stepMax = quantile(steps, 1);
    std::printf("follow steps: %zu (%llu withdrew a settled end); time per step p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
                steps.size(), (unsigned long long)reshaped, stepP50, stepP99, stepMax);
    const double latencyP50 = quantile(latencies, 0.5), latencyP99 = quantile(latencies, 0.99);
    std::printf("latency from the file to the time list (20 ms polls): p50 %.1f ms, p99 %.1f ms, max %.1f ms\n",
                latencyP50, latencyP99, quantile(latencies, 1));
    std::printf("memory per packet: followed %.1f B, opened %.1f B (ratio %.3f)\n", followBytes / double(shownPackets),
                openBytes / double(whole.reader().count()), followBytes / openBytes);
    std::filesystem::remove(file);
    std::filesystem::remove(report);
    return 0;
}
