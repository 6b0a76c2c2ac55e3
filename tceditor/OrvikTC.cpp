#include "tceditor/OrvikTC.h"

#include <cstdio>

namespace orvik::tceditor {

std::string tcHexText(const OrvikTC& tc)
{
    std::string text;
    text.reserve(OrvikTC::wordCount * 5);
    char word[6];
    for (std::uint16_t value : tc.words) {
        std::snprintf(word, sizeof word, "%04X ", unsigned(value));
        text += word;
    }
    return text;
}

} // namespace orvik::tceditor
