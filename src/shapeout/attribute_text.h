// Reading the compact attribute text of one record: its values one after another, and the numbers
// written in them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace mapbasis {

// The longest value of an attribute text; a longer one is cut.
inline constexpr std::size_t kMaxAttributeValueLength = 256;

// Hands out the values of an attribute text in field order. A value is the text up to the next
// backslash, without its leading blanks, cut to kMaxAttributeValueLength characters.
class AttributeValues {
 public:
  explicit AttributeValues(std::string_view text);

  // The next value, or nothing when no backslash closes it.
  std::optional<std::string_view> Next();

 private:
  std::string_view rest_;
};

// The number of an integer value: empty is 0; otherwise an optionally signed run of decimal
// digits, ended by the end of the value, a blank, a comma or a slash. Nothing for any other
// character, for a value without digits and for a number beyond 32 bits.
std::optional<std::int32_t> ReadIntegerValue(std::string_view value);

// The number of a decimal value: empty is 0.0; the first comma stands for the decimal point.
// Otherwise an optional sign, digits with an optional point and fraction, and an optional
// exponent after E, e, D or d, ended like an integer. Nothing for anything else and for a number
// that a double cannot hold.
std::optional<double> ReadDoubleValue(std::string_view value);

}  // namespace mapbasis
