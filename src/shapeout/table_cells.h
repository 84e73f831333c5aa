// The text of one attribute table cell, laid out byte for byte as shapelib lays it out: a number
// as C's "%W.Df" prints it, right-aligned in the field; a text left-aligned and padded with
// blanks. Formatted here without printf, which made the tables the dearest part of a run.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mapbasis {

// The widest numeric field these functions lay out: shapelib prints a number into at most 254
// characters, so a numeric field 255 wide keeps its last byte, which is left to shapelib itself.
inline constexpr int kWidestNumericCell = 254;
// The most decimals they print; a field declared with more (or fewer than 0) is left to shapelib.
inline constexpr int kMostCellDecimals = 255;

// Each fills the whole cell (its size is the field's width) and returns whether the value fitted.
// A value that does not fit leaves its first cell.size() characters, as shapelib does, which
// then refuses the value.

// A number of a numeric field with `decimals` decimals (0..kMostCellDecimals), rounded as printf
// rounds (to nearest, ties to even on the exact binary value); NaN and infinities as printf
// writes them ("nan", "-inf").
bool FormatNumberCell(std::span<char> cell, int decimals, double value);

// An integer of a numeric field without decimals: its digits, with "-" when negative.
bool FormatIntegerCell(std::span<char> cell, std::int32_t value);

// A text of a character field.
bool FormatTextCell(std::span<char> cell, std::string_view text);

}  // namespace mapbasis
