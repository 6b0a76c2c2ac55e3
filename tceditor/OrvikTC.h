#pragma once
// One instrument telecommand as the editor composes it: 32 unsigned 16-bit
// words, word 0 the telecommand code and words 1..31 its parameters. The
// record is never sent; its hexadecimal text is what the editor produces.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvik::tceditor {

struct TcMnemonic {
    std::string_view mnemonic;
    std::uint16_t code;
};

// The instrument's telecommand codes by mnemonic, searched in this order.
inline constexpr std::array<TcMnemonic, 14> tcMnemonicTable{{
    {"STST", 1},
    {"CFGC", 2},
    {"UDPT", 3},
    {"GDPT", 4},
    {"GIHK", 5},
    {"CFMS", 6},
    {"UPPT", 7},
    {"GTPT", 8},
    {"STAC", 9},
    {"GTIB", 10},
    {"CFTS", 11},
    {"MMLD", 12},
    {"SUCG", 13},
    {"FSSV", 14},
}};

// The code of a text that names no telecommand.
inline constexpr std::uint16_t unknownTcCode = 0xFFFF;

// The code of the first row whose mnemonic equals the text exactly (case
// matters), else unknownTcCode.
constexpr std::uint16_t tcCodeOf(std::string_view mnemonic)
{
    for (const TcMnemonic& row : tcMnemonicTable)
        if (row.mnemonic == mnemonic)
            return row.code;
    return unknownTcCode;
}

class OrvikTC {
public:
    static constexpr std::size_t wordCount = 32;

    // All words zero except word 0, the code of the mnemonic.
    explicit OrvikTC(std::string_view mnemonic) { words[0] = tcCodeOf(mnemonic); }

    std::array<std::uint16_t, wordCount> words{};
};

// The 32 words in order, each as four upper-case hex digits and one blank:
// always 160 characters, no line breaks.
std::string tcHexText(const OrvikTC& tc);

} // namespace orvik::tceditor
