#include "shapeout/table_cells.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

namespace mapbasis {

namespace {

// The longest "%.Df" of a double: a sign, 309 digits before the point (DBL_MAX), the point and
// the decimals.
constexpr std::size_t kLongestNumberText =
    1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + kMostCellDecimals;

// The text right-aligned in the cell; a text longer than the cell leaves its first characters.
bool FitRight(std::span<char> cell, std::string_view text) {
  if (text.size() > cell.size()) {
    std::copy_n(text.begin(), cell.size(), cell.begin());
    return false;
  }
  const std::size_t blanks = cell.size() - text.size();
  std::fill_n(cell.begin(), blanks, ' ');
  std::copy(text.begin(), text.end(), cell.begin() + static_cast<std::ptrdiff_t>(blanks));
  return true;
}

}  // namespace

bool FormatNumberCell(std::span<char> cell, int decimals, double value) {
  char text[kLongestNumberText];
  // to_chars with a precision writes what printf writes in the C locale.
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  if (error != std::errc{}) return false;  // cannot happen with the room above
  return FitRight(cell, std::string_view(text, static_cast<std::size_t>(end - text)));
}

bool FormatIntegerCell(std::span<char> cell, std::int32_t value) {
  char text[std::numeric_limits<std::int32_t>::digits10 + 2];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  if (error != std::errc{}) return false;  // cannot happen with the room above
  return FitRight(cell, std::string_view(text, static_cast<std::size_t>(end - text)));
}

bool FormatTextCell(std::span<char> cell, std::string_view text) {
  const std::size_t n = std::min(text.size(), cell.size());
  std::copy_n(text.begin(), n, cell.begin());
  std::fill(cell.begin() + static_cast<std::ptrdiff_t>(n), cell.end(), ' ');
  return text.size() <= cell.size();
}

}  // namespace mapbasis
