#pragma once
// Hand-made malformed archives and science streams: truncated frames, impossible
// lengths, dumps announcing 65 535 pages or none, blocks going backwards and
// wrapping, records of extreme lengths, packets of 10 to 30 bytes of every
// category. The fuzzers start from them; the tests open them in the tool and the window.

#include "tests/archive/ArchiveBuilder.h"

#include <algorithm>
#include <map>

namespace orvik::test {

using Seeds = std::map<std::string, Bytes>;

inline ScienceStreamBuilder datasetStart()
{
    return ScienceStreamBuilder().tc(msCommand).ti(0x00123456);
}

inline Archive streamArchive(const ScienceStreamBuilder& stream, uint16_t first = 0)
{
    return Archive().add(stream.blocks(first));
}

inline Seeds malformedArchives()
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

inline std::vector<std::string> malformedArchiveNames()
{
    std::vector<std::string> names;
    for (const auto& [name, bytes] : malformedArchives())
        names.push_back(name);
    return names;
}

// The archive's name as a test parameter's name, which holds no '-'.
inline std::string testNameOf(std::string archive)
{
    std::replace(archive.begin(), archive.end(), '-', '_');
    return archive;
}

// What opening each malformed archive says, one warning a line; nothing where the
// file is odd but sound. Block numbers going backwards or wrapping show in the
// status bar's "Missing:" count instead.
inline std::string openWarnings(const std::string& archive)
{
    static const std::map<std::string, std::string> warnings = {
        {"truncated-frame", "The file ends inside the frame at byte 24 (15 bytes of it present); it was left out."},
        {"length-below-9-with-flag", "1 frame(s) with a data field header announce a length below 9, too short to "
                                     "hold it (the first at byte 0); they were passed over."},
        {"length-ffff-at-end", "The file ends inside the frame at byte 24 (10 bytes of it present); it was left out."},
        {"dump-65535-pages",
         "Memory Dump (packet 0) announces 65535 pages, but the file ends after 2; the missing pages read as zero."},
        {"short-packets", "The frame at byte 2160 announces 246 data bytes, but the file ends after 220; its packet "
                          "keeps the bytes present."},
        {"tc-65535-words",
         "The science stream ends inside a TC record, which starts at word 0 of block 0; that record is left out."},
    };
    const auto found = warnings.find(archive);
    return found == warnings.end() ? std::string() : found->second;
}

inline Seeds malformedStreams()
{
    Seeds seeds;
    seeds["datasets"] = le({Tag::TC, 4, 0x10, 1, 0, 0, Tag::TI, 0, 5, Tag::MS, 4, 0, 1, 9, 9, Tag::HK, 2, 1, 2});
    seeds["tc-65535"] = le({Tag::TC, 0xFFFF, 1, 2, 3});
    seeds["spectrum-n0-n1"] = le({Tag::TC, 4, 0, 1, 0, 0, Tag::GC, 0, Tag::GC, 1, 5, Tag::MS, 1, 6});
    seeds["sweeps"] = le({Tag::AG, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, Tag::AM, 1});
    seeds["odd-length"] = le({Tag::CD, 3, 1, 2}) + Bytes{0x41};
    return seeds;
}

} // namespace orvik::test
