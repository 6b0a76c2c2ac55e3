#include "exports/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace orvik::exports {

namespace {

// Large enough that the system calls and the hash run over long stretches.
constexpr size_t bufferSize = size_t(4) << 20;

std::string hex(const uint8_t* bytes, size_t size)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t k = 0; k < size; ++k) {
        text += digits[bytes[k] >> 4];
        text += digits[bytes[k] & 15];
    }
    return text;
}

std::string digestHex(sha1_ctx copy)
{
    uint8_t digest[SHA1_DIGEST_SIZE];
    sha1_digest(&copy, SHA1_DIGEST_SIZE, digest);
    return hex(digest, SHA1_DIGEST_SIZE);
}

} // namespace

OutputFile::~OutputFile()
{
    if (file_)
        std::fclose(file_);
}

std::optional<std::string> OutputFile::open(const std::string& path)
{
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        return std::strerror(errno);
    buffer_.reserve(bufferSize);
    sha1_init(&sha1_);
    return std::nullopt;
}

void OutputFile::put(const char* bytes, size_t size)
{
    if (digest_)
        sha1_update(&sha1_, size, reinterpret_cast<const uint8_t*>(bytes));
    if (!error_ && std::fwrite(bytes, 1, size, file_) != size)
        error_ = errno ? errno : EIO;
    flushed_ += size;
}

void OutputFile::flush()
{
    put(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void OutputFile::write(std::string_view text)
{
    if (buffer_.size() + text.size() > bufferSize)
        flush();
    if (text.size() >= bufferSize) {
        put(text.data(), text.size()); // straight through: no copy into the buffer
        return;
    }
    buffer_.append(text);
}

char* OutputFile::append(size_t size)
{
    if (buffer_.size() + size > bufferSize)
        flush();
    const size_t at = buffer_.size();
    buffer_.resize(at + size); // beyond the reserve only for a single oversized piece
    return buffer_.data() + at;
}

std::string OutputFile::sha1Hex()
{
    flush();
    return digestHex(sha1_);
}

std::optional<std::string> OutputFile::close()
{
    if (!file_)
        return std::strerror(EBADF);
    flush();
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0 && !error_)
        error_ = errno ? errno : EIO;
    if (error_)
        return std::strerror(error_);
    return std::nullopt;
}

std::optional<std::string> fileSha1Hex(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    sha1_ctx sha1;
    sha1_init(&sha1);
    std::vector<uint8_t> chunk(bufferSize);
    size_t n;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0)
        sha1_update(&sha1, n, chunk.data());
    const bool failed = std::ferror(file);
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return digestHex(sha1);
}

} // namespace orvik::exports
