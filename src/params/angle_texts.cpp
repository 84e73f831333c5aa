#include "params/angle_texts.h"

#include <limits>

#include "core/angle_format.h"
#include "core/fixed_text.h"

namespace mapbasis {

namespace {

constexpr char kMinuteSign = '\'';

// The value of a leading run of decimal digits, and what follows it. A run whose value does not
// fit an int32 is no number of degrees or minutes anyone types; it reads as nothing.
struct DigitRun {
  std::optional<std::int32_t> value;
  std::size_t length = 0;
};

DigitRun ReadDigitRun(std::string_view text) {
  DigitRun run;
  std::int64_t value = 0;
  bool fits = true;
  while (run.length < text.size() && IsDigit(text[run.length])) {
    value = value * 10 + (text[run.length] - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) {
      fits = false;
      value = 0;  // keeps the sum small; the run is rejected anyway
    }
    ++run.length;
  }
  if (run.length > 0 && fits) run.value = static_cast<std::int32_t>(value);
  return run;
}

// Whole minutes written as digits, optionally closed by the minute sign (anything after the sign
// is not read). The text has neither leading nor trailing blanks.
std::optional<std::int32_t> ReadMinutes(std::string_view text) {
  const DigitRun run = ReadDigitRun(text);
  if (run.length < text.size() && text[run.length] != kMinuteSign) return std::nullopt;
  // A lone minute sign has no minutes before it.
  if (!run.value) return std::nullopt;
  if (*run.value > 59) return std::nullopt;
  return run.value;
}

}  // namespace

std::optional<double> ParseDegreesMinutes(std::string_view text) {
  text = TrimTrailingBlanks(TrimLeadingBlanks(text));
  if (text.empty()) return std::nullopt;
  const DigitRun degrees = ReadDigitRun(text);
  if (!degrees.value) return std::nullopt;
  if (degrees.length == text.size()) return static_cast<double>(*degrees.value);

  const char separator = text[degrees.length];
  if (separator != kDegreeSign && separator != kBlank) return std::nullopt;
  const std::string_view minutePart = TrimBlanks(text.substr(degrees.length + 1));
  std::int32_t minutes = 0;
  if (!minutePart.empty()) {
    const auto read = ReadMinutes(minutePart);
    if (!read) return std::nullopt;
    minutes = *read;
  }
  return static_cast<double>(*degrees.value) + minutes / 60.0;
}

std::optional<std::int32_t> ParseWholeMinutes(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  return ReadMinutes(text);
}

}  // namespace mapbasis
