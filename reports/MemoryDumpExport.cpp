#include "MemoryDumpExport.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <system_error>

namespace orvik::reports {

const MemoryDumpImage* memoryDumpOf(const CategoryTree& tree, NodeId node)
{
    if (node == noNode || node >= tree.size() || tree.kind(node) != NodeKind::MemoryDump)
        return nullptr;
    return tree.wrapper(node).record<MemoryDumpImage>();
}

namespace {

WordView dataWords(const MemoryDumpImage& image)
{
    return image.words().slice(2, MemoryDumpImage::pageWords * image.pageCount());
}

std::string quoted(const std::filesystem::path& file)
{
    std::string q = "\"";
    q += file.string();
    q += '"';
    return q;
}

std::string lastError()
{
    return errno != 0 ? std::generic_category().message(errno) : std::string("unknown error");
}

} // namespace

void writeMemoryDump(const MemoryDumpImage& image, DumpFileFormat format, std::ostream& out)
{
    const WordView words = dataWords(image);
    if (format == DumpFileFormat::Binary) {
        // The image keeps the archive's byte order, which is the file's.
        out.write(reinterpret_cast<const char*>(words.bytes()), std::streamsize(words.byteCount()));
        return;
    }
    // Lines are gathered in chunks: a dump may hold millions of words.
    std::string chunk;
    chunk.reserve(1 << 16);
    char number[8];
    for (size_t i = 0; i < words.wordCount() && out; ++i) {
        const auto end = std::to_chars(number, number + sizeof number, words.wordOr(i)).ptr;
        chunk.append(number, end).push_back('\n');
        if (chunk.size() > (1 << 16) - 8) {
            out.write(chunk.data(), std::streamsize(chunk.size()));
            chunk.clear();
        }
    }
    out.write(chunk.data(), std::streamsize(chunk.size()));
}

std::string exportMemoryDump(const MemoryDumpImage& image, DumpFileFormat format, const std::filesystem::path& file)
{
    const std::string name = quoted(file);
    errno = 0;
    std::ofstream out(file, format == DumpFileFormat::Binary ? std::ios::out | std::ios::binary | std::ios::trunc
                                                              : std::ios::out | std::ios::trunc);
    if (!out)
        return "Cannot open " + name + " for writing: " + lastError() + ".";
    writeMemoryDump(image, format, out);
    out.close();
    if (!out.fail())
        return {};

    std::string message = "Writing " + name + " failed: " + lastError() + ".";
    std::error_code ignored;
    if (std::filesystem::is_regular_file(file, ignored) && std::filesystem::remove(file, ignored))
        return message + " The incomplete file was removed.";
    return message + " The file is incomplete.";
}

} // namespace orvik::reports
