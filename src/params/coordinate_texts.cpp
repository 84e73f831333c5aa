#include "params/coordinate_texts.h"

#include <charconv>
#include <string>

#include "core/angle_format.h"
#include "core/fixed_text.h"
#include "params/angle_texts.h"

namespace mapbasis {

namespace {

// Digits with at most one decimal point or comma, at least one digit, and nothing else but a
// closing degree sign.
std::optional<double> ReadDecimalDegrees(std::string_view text) {
  if (!text.empty() && text.back() == kDegreeSign) text.remove_suffix(1);
  std::string number;
  bool point = false;
  bool digit = false;
  for (const char c : text) {
    if (IsDigit(c)) {
      digit = true;
      number += c;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
      number += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> ParseAngleArgument(std::string_view text) {
  text = TrimBlanks(text);
  double sign = 1.0;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    sign = text.front() == '-' ? -1.0 : 1.0;
    text.remove_prefix(1);
  }
  if (const auto decimal = ReadDecimalDegrees(text)) return sign * *decimal;
  // The parameter file's reader ignores what follows the minute sign; here it would be seconds
  // dropped without a word.
  const std::size_t minuteSign = text.find('\'');
  if (minuteSign != std::string_view::npos && minuteSign + 1 != text.size()) return std::nullopt;
  if (const auto angle = ParseDegreesMinutes(text)) return sign * *angle;
  return std::nullopt;
}

}  // namespace mapbasis
