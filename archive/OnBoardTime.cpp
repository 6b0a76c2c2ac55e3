#include "archive/OnBoardTime.h"

#include <chrono>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

namespace orvik {

SplitTime splitOnBoardTime(int64_t ticks)
{
    // Arithmetic shift floors, also for times before the epoch.
    const auto seconds = static_cast<uint32_t>(static_cast<uint64_t>(ticks >> 16));
    const auto fraction = static_cast<int>(ticks & 0xFFFF);
    return {double(seconds), fraction * 1000 / 65536};
}

std::string formatOnBoardTime(int64_t ticks, const char* format)
{
    using namespace std::chrono;
    const SplitTime split = splitOnBoardTime(ticks);
    const uint32_t t = static_cast<uint32_t>(uint64_t(int64_t(obtEpoch) + int64_t(split.seconds)));

    // Our own UTC conversion: no dependence on the machine's time zone.
    const sys_days day{days{t / 86400}};
    const year_month_day date{day};
    const uint32_t secondOfDay = t % 86400;
    std::tm fields{};
    fields.tm_year = int(date.year()) - 1900;
    fields.tm_mon = int(unsigned(date.month())) - 1;
    fields.tm_mday = int(unsigned(date.day()));
    fields.tm_hour = int(secondOfDay / 3600);
    fields.tm_min = int(secondOfDay / 60 % 60);
    fields.tm_sec = int(secondOfDay % 60);
    fields.tm_wday = int(weekday{day}.c_encoding());
    fields.tm_yday = int((day - sys_days{date.year() / January / 1}).count());

    std::ostringstream text;
    text.imbue(std::locale::classic()); // English day and month names whatever the user's locale
    text << std::put_time(&fields, format) << ',' << std::setw(3) << std::setfill('0') << split.milliseconds;
    return text.str();
}

std::string formatOnBoardTimeWithDay(int64_t ticks)
{
    return formatOnBoardTime(ticks, "%a %d-%b-%y %H:%M:%S");
}

} // namespace orvik
