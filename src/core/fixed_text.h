// Blank handling of the system's texts. Texts are compared and passed on without their trailing
// blanks; "blank" is the space character only (a tab is an ordinary character).
#pragma once

#include <string_view>

namespace mapbasis {

inline constexpr char kBlank = ' ';

constexpr std::string_view TrimLeadingBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(kBlank);
  return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

constexpr std::string_view TrimTrailingBlanks(std::string_view text) {
  const auto last = text.find_last_not_of(kBlank);
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

constexpr std::string_view TrimBlanks(std::string_view text) {
  return TrimTrailingBlanks(TrimLeadingBlanks(text));
}

constexpr bool IsBlank(std::string_view text) { return TrimLeadingBlanks(text).empty(); }

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace mapbasis
