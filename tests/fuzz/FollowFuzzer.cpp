// Arbitrary bytes written into a growing archive piece by piece while a document
// follows it, settled here and there on the way: at the end, settled, it must be
// the document an open of the whole file makes.
// The input: a byte whose low four bits count the pieces, two bytes for each piece
// (little-endian: the low 15 bits its length, taken modulo one more than what is
// left to write; the top bit settles the document after it), then the archive.
// What the pieces leave is the last piece.

#include "tests/archive/DocumentPicture.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

namespace {

struct ClosedFile {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t pieces = std::min<size_t>(data[0] & 0x0f, (size - 1) / 2);
    const uint8_t* const cuts = data + 1;
    const uint8_t* const archive = cuts + 2 * pieces;
    const size_t archiveSize = size - 1 - 2 * pieces;

    // The document opens the file empty; it grows through one stream, as a writer's would.
    const std::unique_ptr<std::FILE, ClosedFile> file(std::fopen(orvik::fuzz::scratchFile().c_str(), "wb"));
    orvik::ArchiveDocument followed;
    if (!file || !followed.open(orvik::fuzz::scratchFile()))
        return 0;
    size_t written = 0;
    const auto grow = [&](size_t length) {
        if (std::fwrite(archive + written, 1, length, file.get()) != length || std::fflush(file.get()) != 0)
            return false;
        written += length;
        followed.follow();
        return true;
    };
    for (size_t k = 0; k < pieces; ++k) {
        const unsigned cut = cuts[2 * k] | unsigned(cuts[2 * k + 1]) << 8;
        if (!grow((cut & 0x7fff) % (archiveSize - written + 1)))
            return 0;
        if (cut & 0x8000)
            followed.settle();
    }
    if (!grow(archiveSize - written))
        return 0;
    followed.settle();

    orvik::ArchiveDocument whole;
    if (!whole.open(orvik::fuzz::scratchFile()))
        return 0;
    const std::string followedPicture = orvik::test::documentPicture(followed);
    const std::string wholePicture = orvik::test::documentPicture(whole);
    if (followedPicture != wholePicture) {
        std::cerr << "followed:\n" << followedPicture << "\nopened whole:\n" << wholePicture << '\n';
        __builtin_trap();
    }
    return 0;
}
