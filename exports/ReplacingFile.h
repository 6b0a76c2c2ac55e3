#pragma once
// A file written under a temporary name beside its target and renamed over the target
// once complete; dropped unfinished, the temporary file is removed and the target untouched.

#include <optional>
#include <string>

namespace orvik::exports {

class ReplacingFile {
public:
    explicit ReplacingFile(std::string target);
    ~ReplacingFile(); // removes the temporary file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Where to write.
    const std::string& temporaryPath() const { return temporary_; }
    const std::string& target() const { return target_; }
    // Renames the temporary file over the target; the reason it failed, or nothing.
    std::optional<std::string> commit();

private:
    std::string target_;
    std::string temporary_;
    bool committed_ = false;
};

// "cannot write PATH: REASON": the one-line message of a failed export.
std::string cannotWrite(const std::string& path, const std::string& reason);

} // namespace orvik::exports
