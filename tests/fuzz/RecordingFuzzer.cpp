// A recording of arbitrary bytes from connections that end anywhere: after each one the
// recorder fills the frame its end cut short. Whatever the bytes, a frame the next
// connection begins with must be read whole where it begins, unless a frame without data
// ended the reading before it.
// The input: a byte whose low four bits count the connections, two bytes for each (little-
// endian, its length modulo one more than what is left), then the bytes; what the
// connections leave is the last one.

#include "live/CutFrameFiller.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

// A regular housekeeping frame with a data-field header and four data words.
const std::vector<uint8_t> probe = {0xCF, 0x1A, 0x1D, 0xFC, 0x10, 0x0F, 0, 0, 0x11, 0, 0, 0, 0, 0, 0, 0,
                                    3,    0,    0,    0,    1,    2,    3, 4, 5,    6, 7, 8};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t connections = std::min<size_t>(data[0] & 0x0f, (size - 1) / 2);
    const uint8_t* bytes = data + 1 + 2 * connections;
    size_t left = size - 1 - 2 * connections;
    std::vector<uint8_t> recording;
    orvik::live::CutFrameFiller filler;
    const auto receive = [&](size_t length) {
        filler.take({bytes, length});
        recording.insert(recording.end(), bytes, bytes + length);
        bytes += length;
        left -= length;
        const std::vector<uint8_t> zeros(filler.fillerBytes(), 0);
        if (zeros.size() > 65536 + 20)
            __builtin_trap(); // never more than one frame
        filler.take(zeros);
        recording.insert(recording.end(), zeros.begin(), zeros.end());
    };
    for (size_t k = 0; k < connections; ++k)
        receive((data[1 + 2 * k] | size_t(data[2 + 2 * k]) << 8) % (left + 1));
    receive(left);
    recording.insert(recording.end(), probe.begin(), probe.end());

    std::ofstream(orvik::fuzz::scratchFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(recording.data()), std::streamsize(recording.size()));
    orvik::ESAPacket reader;
    reader.openFile(orvik::fuzz::scratchFile());
    uint64_t counter = 0;
    reader.readPackets(counter);
    reader.readEnd(counter);
    const bool found = reader.count() > 0 && reader[reader.count() - 1].size == probe.size() &&
                       std::memcmp(reader[reader.count() - 1].bytes, probe.data(), probe.size()) == 0 &&
                       reader.fileOffset(reader[reader.count() - 1]) == recording.size() - probe.size();
    const auto& problems = reader.problems();
    const bool ended = std::any_of(problems.begin(), problems.end(),
                                   [](const std::string& p) { return p.find("were not read") != std::string::npos; });
    if (!found && !ended)
        __builtin_trap();
    return 0;
}
