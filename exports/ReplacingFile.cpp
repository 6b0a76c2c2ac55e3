#include "exports/ReplacingFile.h"

#include <filesystem>
#include <random>

namespace orvik::exports {

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target))
{
    // Beside the target, so that the rename stays on one file system.
    std::random_device random;
    temporary_ = target_ + ".part-" + std::to_string(random() % 1000000);
}

ReplacingFile::~ReplacingFile()
{
    if (!committed_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

std::optional<std::string> ReplacingFile::commit()
{
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec)
        return cannotWrite(target_, ec.message());
    committed_ = true;
    return std::nullopt;
}

std::string cannotWrite(const std::string& path, const std::string& reason)
{
    return "cannot write " + path + ": " + reason;
}

} // namespace orvik::exports
