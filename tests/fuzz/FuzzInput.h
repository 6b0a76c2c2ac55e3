#pragma once
// Hands a fuzzer's bytes to the reader through a file of this process's own:
// the reader reads files, as the viewer does.

#include "archive/ArchiveDocument.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace orvik::fuzz {

// In shared memory where there is some: millions of inputs go through this file.
// It goes when the process ends.
inline const std::string& scratchFile()
{
    static const struct Scratch {
        std::string path;
        ~Scratch() { std::remove(path.c_str()); }
    } scratch{[] {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const auto dir = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        return (dir / ("orvik-fuzz-" + std::to_string(getpid()) + ".cvlbin")).string();
    }()};
    return scratch.path;
}

// Opens the bytes as an archive; false when even the scratch file could not be written.
inline bool openBytes(ArchiveDocument& doc, const uint8_t* data, size_t size)
{
    std::FILE* f = std::fopen(scratchFile().c_str(), "wb");
    if (!f)
        return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    return written && doc.open(scratchFile());
}

} // namespace orvik::fuzz
