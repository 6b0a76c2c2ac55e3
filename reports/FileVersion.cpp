#include "reports/FileVersion.h"

#include "reports/VersionBlock.h"

#include "archive/FileName.h"

#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#include <cwchar>
#include <vector>
#else
#include <fstream>
#include <iterator>
#endif

namespace orvik::reports {

#if defined(_WIN32)

int fileVersionOf(const std::filesystem::path& program, std::string& version)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0)
        return -1;
    std::vector<BYTE> buffer(size);
    if (!GetFileVersionInfoW(program.c_str(), 0, size, buffer.data()))
        return -2;
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &length) ||
        length < 2 * sizeof(WORD))
        return -3;
    wchar_t subBlock[64];
    std::swprintf(subBlock, 64, L"\\StringFileInfo\\%04X%04X\\FileVersion", unsigned(translation[0]),
                  unsigned(translation[1]));
    wchar_t* text = nullptr;
    if (!VerQueryValueW(buffer.data(), subBlock, reinterpret_cast<void**>(&text), &length) || !text)
        return -3;
    version = nameOfPath(std::filesystem::path(std::wstring(text, wcsnlen(text, length))));
    return 0;
}

#else

int fileVersionOf(const std::filesystem::path& program, std::string& version)
{
    std::ifstream in(program, std::ios::binary);
    if (!in)
        return -1;
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return -1;
    const std::optional<EmbeddedBlock> block = findVersionBlock(file);
    if (!block)
        return -1;
    if (block->offset + block->length > file.size())
        return -2; // the block runs past the end of the file
    return VersionBlockReader(file.data() + block->offset, block->length).fileVersion(version);
}

#endif

} // namespace orvik::reports
