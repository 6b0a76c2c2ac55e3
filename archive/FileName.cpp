#include "archive/FileName.h"

#include <string_view>

namespace orvik {

std::filesystem::path pathOfName(const std::string& utf8)
{
    return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string nameOfPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::FILE* openFileNamed(const std::string& utf8, const char* mode)
{
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(pathOfName(utf8).c_str(), wideMode.c_str());
#else
    return std::fopen(utf8.c_str(), mode);
#endif
}

} // namespace orvik
