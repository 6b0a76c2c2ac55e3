#pragma once
// Reads an exported mzML file back for the tests without the writer's code: its index,
// its checksum, one binary array, and what OpenMS's FileInfo says about it.

#include "tests/dump/RunTool.h"

#include <nettle/base64.h>
#include <nettle/sha1.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace orvik::test {

inline std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct IndexEntry {
    std::string index; // "spectrum" or "chromatogram"
    std::string id;
    size_t offset;
};

// The entries of the document's index list, in order.
inline std::vector<IndexEntry> indexEntries(const std::string& text)
{
    std::vector<IndexEntry> entries;
    const size_t list = text.rfind("<indexList ");
    if (list == std::string::npos)
        return entries;
    const std::regex index(R"re(<index name="(\w+)">|<offset idRef="([^"]*)">(\d+)</offset>)re");
    std::string current;
    for (auto it = std::sregex_iterator(text.begin() + std::ptrdiff_t(list), text.end(), index);
         it != std::sregex_iterator(); ++it) {
        if ((*it)[1].matched)
            current = (*it)[1];
        else
            entries.push_back({current, (*it)[2], std::stoul((*it)[3])});
    }
    return entries;
}

inline std::string sha1Hex(const std::string& bytes)
{
    sha1_ctx ctx;
    sha1_init(&ctx);
    sha1_update(&ctx, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    uint8_t digest[SHA1_DIGEST_SIZE];
    sha1_digest(&ctx, SHA1_DIGEST_SIZE, digest);
    std::string hex;
    char two[3];
    for (const uint8_t b : digest) {
        std::snprintf(two, sizeof two, "%02x", b);
        hex += two;
    }
    return hex;
}

// The doubles of the `n`-th <binary> element (from 0), base64-decoded and, when
// `zlib`, inflated.
inline std::vector<double> binaryArray(const std::string& text, size_t n, bool zlib)
{
    size_t at = 0;
    for (size_t k = 0; k <= n; ++k) {
        at = text.find("<binary>", at);
        if (at == std::string::npos)
            return {};
        at += std::strlen("<binary>");
    }
    const size_t end = text.find("</binary>", at);
    std::vector<uint8_t> bytes(BASE64_DECODE_LENGTH(end - at));
    base64_decode_ctx ctx;
    base64_decode_init(&ctx);
    size_t decoded = bytes.size();
    EXPECT_TRUE(base64_decode_update(&ctx, &decoded, bytes.data(), end - at, text.data() + at));
    EXPECT_TRUE(base64_decode_final(&ctx));
    bytes.resize(decoded);
    if (zlib) {
        std::vector<uint8_t> inflated(1 << 24);
        uLongf size = uLongf(inflated.size());
        EXPECT_EQ(uncompress(inflated.data(), &size, bytes.data(), uLong(bytes.size())), Z_OK);
        inflated.resize(size);
        bytes = inflated;
    }
    std::vector<double> values(bytes.size() / 8);
    std::memcpy(values.data(), bytes.data(), values.size() * 8); // little-endian, as this machine
    return values;
}

// What FileInfo said, in both its runs: the validation against schema and vocabulary, then
// the index check and the summary.
struct FileInfoReport {
    ProgramRun validation;
    ProgramRun summary;
    bool valid() const
    {
        return validation.code == 0 && validation.out.find("Success - the file is valid!") != std::string::npos &&
               validation.out.find("Success - the file is semantically valid!") != std::string::npos &&
               validation.out.find("Error") == std::string::npos;
    }
    // The number in the summary's line "NAME: N", or -1.
    long count(const std::string& name) const
    {
        std::smatch m;
        const std::regex line("\n" + name + ": (\\d+)\n");
        return std::regex_search(summary.out, m, line) ? std::stol(m[1]) : -1;
    }
    std::string mzRange() const
    {
        std::smatch m;
        return std::regex_search(summary.out, m, std::regex(R"re(mass-to-charge: +(\S+ \.\. \S+))re")) ? m[1].str() : "";
    }
};

inline FileInfoReport fileInfo(const std::string& path)
{
    return {runProgram(ORVIK_FILEINFO_PROGRAM, "-in '" + path + "' -v"),
            runProgram(ORVIK_FILEINFO_PROGRAM, "-in '" + path + "' -i -c")};
}

} // namespace orvik::test
