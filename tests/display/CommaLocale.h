#pragma once
// The C library's numbers as the window's process has them under a German regional setting:
// Qt sets the C locale from the environment, so printf would write "3,66". While an instance
// lives, LC_NUMERIC is de_DE.UTF-8 (installed by tools/setup-debian).

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace orvik::test {

class CommaLocale {
public:
    CommaLocale() : before_(std::setlocale(LC_NUMERIC, nullptr))
    {
        active_ = std::setlocale(LC_NUMERIC, name) != nullptr;
        EXPECT_TRUE(active_) << "the locale " << name << " is missing: run tools/setup-debian";
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, before_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

private:
#ifdef _WIN32
    static constexpr const char* name = "German_Germany.1252";
#else
    static constexpr const char* name = "de_DE.UTF-8";
#endif
    std::string before_;
    bool active_ = false;
};

} // namespace orvik::test
