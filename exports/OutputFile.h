#pragma once
// A file written through a large buffer that counts its bytes and, when asked, keeps the
// SHA-1 of everything written so far: an indexed document names the offsets of its parts
// and ends with the checksum of the bytes before it.

#include <nettle/sha1.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace orvik::exports {

class OutputFile {
public:
    explicit OutputFile(bool digest = false) : digest_(digest) {}
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates (or empties) the file; the reason it failed, or nothing.
    std::optional<std::string> open(const std::string& path);
    void write(std::string_view text);
    // Room for `size` bytes at the end of the buffer, to be filled before the next call.
    char* append(size_t size);
    // Bytes written so far, that is the offset of the next one.
    uint64_t offset() const { return flushed_ + buffer_.size(); }
    // SHA-1 of every byte written so far, as 40 lower-case hexadecimal digits (made with digest).
    std::string sha1Hex();
    // Writes out what is buffered and closes the file; the reason it failed, or nothing.
    std::optional<std::string> close();

private:
    void flush();
    void put(const char* bytes, size_t size);

    std::FILE* file_ = nullptr;
    std::string buffer_;
    uint64_t flushed_ = 0;
    bool digest_;
    sha1_ctx sha1_{};
    int error_ = 0; // the first errno of a failed write
};

// SHA-1 of a whole file as 40 lower-case hexadecimal digits; nothing when it cannot be read.
std::optional<std::string> fileSha1Hex(const std::string& path);

} // namespace orvik::exports
