// The attribute text of a record and the free-form numbers in its values.
#include "shapeout/attribute_text.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "core/fixed_text.h"

namespace mapbasis {

namespace {

constexpr char kValueEnd = '\\';

// A blank, a comma or a slash ends the number of a value; what follows is not read.
bool EndsNumber(std::string_view text, std::size_t pos) {
  return pos == text.size() || text[pos] == ' ' || text[pos] == ',' || text[pos] == '/';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

}  // namespace

AttributeValues::AttributeValues(std::string_view text) : rest_(TrimLeadingBlanks(text)) {}

std::optional<std::string_view> AttributeValues::Next() {
  const std::size_t end = rest_.find(kValueEnd);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view value = rest_.substr(0, end);
  rest_ = TrimLeadingBlanks(rest_.substr(end + 1));
  return value.substr(0, kMaxAttributeValueLength);
}

std::optional<std::int32_t> ReadIntegerValue(std::string_view value) {
  value = TrimLeadingBlanks(value);
  if (value.empty()) return 0;

  std::size_t pos = 0;
  const bool negative = value[pos] == '-';
  if (value[pos] == '-' || value[pos] == '+') ++pos;
  const std::size_t digitsStart = pos;
  pos = SkipDigits(value, pos);
  if (pos == digitsStart || !EndsNumber(value, pos)) return std::nullopt;

  // Accumulated as a negative number, which reaches one further than a positive one.
  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  std::int64_t number = 0;
  for (std::size_t i = digitsStart; i < pos; ++i) {
    number = number * 10 - (value[i] - '0');
    if (number < kLowest) return std::nullopt;
  }
  if (!negative) {
    number = -number;
    if (number > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(number);
}

std::optional<double> ReadDoubleValue(std::string_view value) {
  value = TrimLeadingBlanks(value);
  if (value.empty()) return 0.0;

  std::string text(value);
  if (const std::size_t comma = text.find(','); comma != std::string::npos) text[comma] = '.';

  std::size_t pos = 0;
  if (text[pos] == '-' || text[pos] == '+') ++pos;
  const std::size_t integerStart = pos;
  pos = SkipDigits(text, pos);
  bool anyDigit = pos > integerStart;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t fractionStart = ++pos;
    pos = SkipDigits(text, pos);
    anyDigit = anyDigit || pos > fractionStart;
  }
  if (!anyDigit) return std::nullopt;
  if (pos < text.size() &&
      (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
    text[pos++] = 'e';
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    const std::size_t exponentStart = pos;
    pos = SkipDigits(text, pos);
    if (pos == exponentStart) return std::nullopt;
  }
  if (!EndsNumber(text, pos)) return std::nullopt;

  // from_chars reads no leading plus and does not depend on the locale.
  const std::size_t start = text[0] == '+' ? 1 : 0;
  double number = 0.0;
  const auto [end, error] =
      std::from_chars(text.data() + start, text.data() + pos, number, std::chars_format::general);
  if (error != std::errc{} || end != text.data() + pos) return std::nullopt;
  return number;
}

}  // namespace mapbasis
