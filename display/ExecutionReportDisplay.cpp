#include "display/ExecutionReportDisplay.h"

#include "display/InstrumentTables.h"
#include "archive/OnBoardTime.h"
#include "archive/PacketBlocks.h"
#include "display/WordFormat.h"

#include <algorithm>
#include <cstdio>

namespace orvik::display {

namespace {

constexpr size_t maxTcWords = 32;

// A 32-bit 1/32 s count, high word first; absent unless the packet holds both words.
std::optional<uint32_t> count32(WordView data, size_t high)
{
    const auto h = data.word(high), l = data.word(high + 1);
    return h && l ? std::optional<uint32_t>((uint32_t(*h) << 16) | *l) : std::nullopt;
}

// The count as on-board ticks: zero-extended, in units of 2^-16 s.
int64_t ticksOf(uint32_t count)
{
    return int64_t(count) << 11;
}

std::string hexTicks(uint32_t count)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%012llX", static_cast<unsigned long long>(ticksOf(count)));
    return text;
}

std::string calendarTime(uint32_t count)
{
    return formatOnBoardTimeWithDay(ticksOf(count));
}

// The signed count in seconds, shortest exact form ("3.125", "2", "-0.03125").
std::string seconds(uint32_t count, const std::string& decimalSeparator)
{
    return withSeparator(generalDigits(static_cast<int32_t>(count) * 0.03125, 15), decimalSeparator) + " sec";
}

// The telecommand's words as a word list, and its name from the first of them.
void showTelecommand(ComponentModel& components, const char* memo, const char* name, WordView words, size_t count)
{
    components.setText(memo, wordList(words, count));
    components.setText(name, orDash(words.word(0), tcName));
}

// A word count of 0 stands for 32.
size_t tcWordCount(uint16_t countWord)
{
    return countWord == 0 ? maxTcWords : std::min<size_t>(countWord, maxTcWords);
}

} // namespace

void displayExecutionReport(ComponentModel& components, WordView data, const std::string& decimalSeparator)
{
    const auto start = count32(data, 3), stop = count32(data, 5), duration = count32(data, 7);
    const char* grid = "exereporttime";
    const char* columns[] = {"Start", "Stop", "Duration"};
    const char* rows[] = {"LOBT", "OOBT", "UTC"};
    for (int i = 0; i < 3; ++i)
        components.setCell(grid, i + 1, 0, columns[i]);
    for (int i = 0; i < 3; ++i)
        components.setCell(grid, 0, i + 1, rows[i]);
    components.setCell(grid, 1, 1, orDash(start, hex8));
    components.setCell(grid, 2, 1, orDash(stop, hex8));
    components.setCell(grid, 3, 1, orDash(duration, hex8));
    components.setCell(grid, 1, 2, orDash(start, hexTicks));
    components.setCell(grid, 2, 2, orDash(stop, hexTicks));
    components.setCell(grid, 3, 2, orDash(duration, hex8));
    components.setCell(grid, 1, 3, orDash(start, calendarTime));
    components.setCell(grid, 2, 3, orDash(stop, calendarTime));
    components.setCell(grid, 3, 3, orDash(duration, [&](uint32_t d) { return seconds(d, decimalSeparator); }));

    // Bits 0-4 of data word 16 count the words copied into the report.
    const std::optional<uint16_t> countWord = data.word(16);
    showTelecommand(components, "TCDataWords", "TCName", data.from(ExecutionReportPacket::telecommandWords),
                    countWord ? tcWordCount(*countWord & 0x1F) : 0);
    components.setText("cntTCs", orDash(data.word(9), [](uint16_t n) { return std::to_string(int16_t(n)); }));
    components.setText("stacresult", orDash(data.word(10), [](uint16_t result) {
                           return std::string(result ? "successful" : "not successful!");
                       }));
}

void displayDatasetTelecommand(ComponentModel& components, const TelecommandRecord& record)
{
    // The record holds the count and at most 32 words: a larger count shows those.
    const WordView words = record.words();
    showTelecommand(components, "TCTCDataWords", "TCTCName", words.from(1), tcWordCount(record.count()));
}

} // namespace orvik::display
