#include "archive/OnBoardTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <locale>
#include <optional>
#include <string>

using namespace orvik;

namespace {

void setTimeZone(const char* zone)
{
#ifdef _WIN32
    _putenv_s("TZ", zone ? zone : "");
    _tzset();
#else
    if (zone)
        setenv("TZ", zone, 1);
    else
        unsetenv("TZ");
    tzset();
#endif
}

struct TimeCase {
    int64_t ticks;
    bool withDay; // formatOnBoardTimeWithDay, else the "Time: " node format
    std::string text;
};

// The texts are UTC with English names whatever the machine's time zone and locale:
// every case runs in a zone far from UTC (with daylight saving) and, where the machine
// has one, a locale with other day and month names.
class OnBoardTimeTest : public ::testing::TestWithParam<TimeCase> {
protected:
    void SetUp() override
    {
        if (const char* zone = std::getenv("TZ"))
            savedZone_ = zone;
        setTimeZone("NZST-12NZDT,M9.5.0,M4.1.0/3");
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "C.UTF-8"}) {
            try {
                savedLocale_ = std::locale::global(std::locale(name));
                break;
            } catch (const std::runtime_error&) {
            }
        }
    }
    void TearDown() override
    {
        setTimeZone(savedZone_ ? savedZone_->c_str() : nullptr);
        if (savedLocale_)
            std::locale::global(*savedLocale_);
    }

private:
    std::optional<std::string> savedZone_;
    std::optional<std::locale> savedLocale_;
};

TEST_P(OnBoardTimeTest, FormatsUtcWithTruncatedMilliseconds)
{
    const TimeCase c = GetParam();
    EXPECT_EQ(c.withDay ? formatOnBoardTimeWithDay(c.ticks) : formatOnBoardTime(c.ticks, timeNodeFormat), c.text);
}

int64_t signedCount(uint32_t count) { return ticksFromSignedCount(uint16_t(count >> 16), uint16_t(count)); }
int64_t unsignedCount(uint32_t count)
{
    return ticksFromUnsignedCount(uint16_t(count >> 16), uint16_t(count));
}
// Seconds past the epoch that bring the calendar time to 2^32, which wraps to 1970.
constexpr int64_t wrapToUnixEpoch = (int64_t(1) << 32) - obtEpoch;

INSTANTIATE_TEST_SUITE_P(
    Edges, OnBoardTimeTest,
    ::testing::Values(TimeCase{0, false, "01-Jan-03 00:00:00,000"}, TimeCase{0, true, "Wed 01-Jan-03 00:00:00,000"},
                      TimeCase{signedCount(32), false, "01-Jan-03 00:00:01,000"},
                      TimeCase{signedCount(1), false, "01-Jan-03 00:00:00,031"},
                      TimeCase{signedCount(16), false, "01-Jan-03 00:00:00,500"},
                      TimeCase{signedCount(0xFFFFFFFF), false, "31-Dec-02 23:59:59,968"},
                      TimeCase{signedCount(0xFFFFFFFF), true, "Tue 31-Dec-02 23:59:59,968"},
                      TimeCase{unsignedCount(0x80000000), false, "15-Feb-05 17:21:04,000"},
                      TimeCase{signedCount(0x80000000), false, "15-Nov-00 06:38:56,000"},
                      TimeCase{unsignedCount(0xFFFFFFFF), true, "Tue 03-Apr-07 10:42:07,968"},
                      TimeCase{signedCount(0x5C894E10), true, "Thu 15-Jul-04 12:34:56,500"},
                      TimeCase{wrapToUnixEpoch << 16, true, "Thu 01-Jan-70 00:00:00,000"}));

TEST(SplitOnBoardTime, FloorsSecondsToTheirLowThirtyTwoBits)
{
    const SplitTime beforeEpoch = splitOnBoardTime(-1);
    EXPECT_EQ(beforeEpoch.seconds, 4294967295.0);
    EXPECT_EQ(beforeEpoch.milliseconds, 999);
    const SplitTime late = splitOnBoardTime((int64_t(5) << 48) + (int64_t(7) << 16) + 0x8000);
    EXPECT_EQ(late.seconds, 7.0);
    EXPECT_EQ(late.milliseconds, 500);
}

} // namespace
