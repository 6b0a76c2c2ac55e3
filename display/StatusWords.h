#pragma once
// The two system status words of a housekeeping half decoded into their bit
// fields, as the nodes of the status tree under the housekeeping list.

#include "display/ComponentModel.h"
#include "archive/WordView.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvik::display {

struct StatusBitField {
    uint16_t mask; // 0 in the header row of a group
    const char* name;
    const char* meaning;
};

// Two groups, each led by its header row: status word 2 (rows 0..4), status word 1 (rows 5..12).
extern const std::array<StatusBitField, 13> statusBitFields;

// The 16 bits from bit 15 down in groups of four, each group followed by a blank:
// "1" or "0" for a bit of the mask, "." for the others. Always 20 characters.
std::string bitPattern(uint16_t value, uint16_t mask);

// Status word 2 (word 60 of the half) and status word 1 (word 61), each a top-level
// node with one child per bit field. A word the block does not hold shows "-" and no fields.
std::vector<TreeItem> statusTree(WordView block, int half);

} // namespace orvik::display
