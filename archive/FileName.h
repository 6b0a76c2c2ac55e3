#pragma once
// File names are UTF-8 text throughout (what the window's QString::toStdString gives and
// what the tools take from their command lines). Elsewhere they reach the system as they
// are; on Windows as UTF-16, since its narrow calls read the ANSI code page instead.

#include <cstdio>
#include <filesystem>
#include <string>

namespace orvik {

std::filesystem::path pathOfName(const std::string& utf8);
std::string nameOfPath(const std::filesystem::path& path);

// std::fopen for a UTF-8 name; null with errno set when it fails.
std::FILE* openFileNamed(const std::string& utf8, const char* mode);

} // namespace orvik
