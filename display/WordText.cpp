#include "WordText.h"

#include <cstdio>

namespace orvik::display {

namespace {
// Four upper-case hex digits and nothing else.
void appendDigits(std::string& out, uint16_t word)
{
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04X", unsigned(word));
    out.append(digits, 4);
}
} // namespace

std::string hexWord(uint16_t word)
{
    std::string text = "0x";
    appendDigits(text, word);
    return text;
}

std::string hexWord(std::optional<uint16_t> word)
{
    return word ? hexWord(*word) : std::string("-");
}

std::string wordList(WordView words, size_t count)
{
    std::string text;
    text.reserve(5 * count);
    for (size_t k = 0; k < count; ++k) {
        if (words.has(k))
            appendDigits(text, words.wordOr(k));
        else
            text += "----";
        text += ' ';
    }
    return text;
}

} // namespace orvik::display
