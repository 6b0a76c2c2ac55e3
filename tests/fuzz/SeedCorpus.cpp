// Writes the hand-made malformed seeds of the fuzzers: archives into ARCHIVE_DIR,
// science-stream words into STREAM_DIR. Simulated archives join them from the build.
//
//   fuzz_seeds ARCHIVE_DIR STREAM_DIR

#include "ArchiveBuilder.h"

#include <cstdio>
#include <fstream>
#include <map>

using namespace orvik;
using namespace orvik::test;

namespace {

using Seeds = std::map<std::string, Bytes>;

ScienceStreamBuilder datasetStart()
{
    return ScienceStreamBuilder().tc(msCommand).ti(0x00123456);
}

Archive streamArchive(const ScienceStreamBuilder& stream, uint16_t first = 0)
{
    return Archive().add(stream.blocks(first));
}

Seeds archiveSeeds()
{
    Seeds seeds;
    const Bytes hk = regularHk().frame();
    seeds["truncated-frame"] = Archive().add(regularHk()).raw(Bytes(hk.begin(), hk.begin() + 15)).bytes();
    seeds["length-below-9-with-flag"] = Archive().raw(frameHeader(0x0800 | (113 << 4), 4)).add(regularHk()).bytes();
    seeds["length-ffff-at-end"] = Archive().add(regularHk()).raw(frameHeader(0x0800 | (113 << 4), 0xFFFF)).bytes();
    seeds["dump-65535-pages"] =
        Archive().add(dumpHeader(1, 0xFFFF)).add(dumpPage(counting(128))).add(dumpPage(counting(128, 7))).bytes();
    seeds["dump-0-pages"] = Archive().add(dumpHeader(2, 0)).add(regularHk()).bytes();

    const ScienceStreamBuilder dataset = datasetStart().spectrum(Tag::MS, 5, counting(40)).padTo(3 * 126);
    std::vector<Packet> backwards = dataset.blocks(10);
    std::swap(backwards.front(), backwards.back());
    seeds["blocks-backwards"] = Archive().add(backwards).bytes();
    seeds["blocks-wrapping"] = streamArchive(dataset, 0xFFFE).bytes();
    seeds["tc-0-words"] = streamArchive(ScienceStreamBuilder().tc({}).ti(1).hk(2, {1, 2})).bytes();
    seeds["tc-65535-words"] = streamArchive(ScienceStreamBuilder().words({Tag::TC, 0xFFFF}).words(counting(300))).bytes();
    seeds["spectrum-n0"] = streamArchive(datasetStart().words({Tag::MS, 0})).bytes();
    seeds["spectrum-n1"] = streamArchive(datasetStart().words({Tag::GC, 1, 7})).bytes();
    seeds["all-records"] = streamArchive(ScienceStreamBuilder()
                                             .tc(gcCommand)
                                             .cd(counting(90))
                                             .ti(77)
                                             .pd(counting(55))
                                             .hk(106, counting(106))
                                             .sweep(Tag::AG, 3)
                                             .sweep(Tag::AM, 4)
                                             .spectrum(Tag::GC, 9, counting(64))
                                             .spectrum(Tag::MS, 9, counting(64)))
                                 .bytes();

    // Short packets of every category: 10 to 30 bytes of frame.
    Archive shortPackets;
    for (int category = 0; category < 20; ++category)
        for (size_t size = 10; size <= 30; size += 4) {
            Bytes frame = categoryPacket(int16_t(category), counting(8)).frame();
            frame.resize(size);
            frame[8] = uint8_t(size - 11); // the length word matches the cut frame
            frame[9] = 0;
            shortPackets.raw(frame);
        }
    seeds["short-packets"] = shortPackets.bytes();
    return seeds;
}

Seeds streamSeeds()
{
    Seeds seeds;
    seeds["datasets"] = le({Tag::TC, 4, 0x10, 1, 0, 0, Tag::TI, 0, 5, Tag::MS, 4, 0, 1, 9, 9, Tag::HK, 2, 1, 2});
    seeds["tc-65535"] = le({Tag::TC, 0xFFFF, 1, 2, 3});
    seeds["spectrum-n0-n1"] = le({Tag::TC, 4, 0, 1, 0, 0, Tag::GC, 0, Tag::GC, 1, 5, Tag::MS, 1, 6});
    seeds["sweeps"] = le({Tag::AG, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, Tag::AM, 1});
    seeds["odd-length"] = le({Tag::CD, 3, 1, 2}) + Bytes{0x41};
    return seeds;
}

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
    return writeAll(argv[1], archiveSeeds()) && writeAll(argv[2], streamSeeds()) ? 0 : 1;
}
