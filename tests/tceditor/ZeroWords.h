#pragma once
// The hexadecimal text of zero words as the telecommand record writes them, for
// the unset parameters that follow the ones a test sets.

#include <string>

namespace orvik::test {

inline std::string zeroWords(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "0000 ";
    return text;
}

} // namespace orvik::test
