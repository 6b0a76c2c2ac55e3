#pragma once
// Raw words as the pages show them: "0x" and four upper-case hex digits, and word
// lists of four digits and a blank per word. A word the block does not hold is "-"
// in a label and "----" in a word list, so that a short packet is seen as short.

#include "WordView.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvik::display {

// "0x0A0B".
std::string hexWord(uint16_t word);
// "0x0A0B", or "-" for an absent word.
std::string hexWord(std::optional<uint16_t> word);
// `count` words of `words`, each as four digits and one blank: "0000 0001 ".
std::string wordList(WordView words, size_t count);

} // namespace orvik::display
