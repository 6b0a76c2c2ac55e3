#include "reports/MemoryDumpExport.h"

#include "archive/FileName.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <system_error>

namespace orvik::reports {

const MemoryDumpImage* memoryDumpOf(const CategoryTree& tree, NodeId node)
{
    if (node == noNode || !tree.contains(node) || tree.kind(node) != NodeKind::MemoryDump)
        return nullptr;
    return tree.wrapper(node).record<MemoryDumpImage>();
}

namespace {

std::string quoted(const std::filesystem::path& file)
{
    std::string q = "\"";
    q += nameOfPath(file);
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
    if (format == DumpFileFormat::Binary) {
        // The pages are in the archive's byte order, which is the file's; pages the
        // archive did not hold are written as the zeros they read as.
        for (size_t p = 0; p < image.pageCount() && out; ++p) {
            const WordView page = image.page(p);
            out.write(reinterpret_cast<const char*>(page.bytes()), std::streamsize(page.byteCount()));
        }
        return;
    }
    // Lines are gathered in chunks: a dump may hold millions of words.
    std::string chunk;
    chunk.reserve(1 << 16);
    char number[8];
    for (size_t i = 0; i < image.dataWordCount() && out; ++i) {
        const auto end = std::to_chars(number, number + sizeof number, image.dataWord(i)).ptr;
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
