#include "core/format_text.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace mapbasis {

std::string FormatText(const char* format, ...) {
  // Formatted once into a buffer that holds the texts of the program; a longer text is formatted
  // again at its length.
  char buffer[256];
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  std::string text;
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    text.assign(buffer, static_cast<std::size_t>(length));
  } else if (length > 0) {
    text.resize(static_cast<std::size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
  va_end(again);
  return text;
}

namespace {

// Appends the digits (and sign) padded on the left to `width` as printf pads them.
void AppendPadded(std::string& text, std::string_view digits, int width, bool zeros) {
  const auto padding = static_cast<std::size_t>(width) > digits.size()
                           ? static_cast<std::size_t>(width) - digits.size()
                           : 0;
  // Zeros go between the sign and the digits; never before "nan" or "inf".
  const bool number = !digits.empty() && (digits.back() >= '0' && digits.back() <= '9');
  if (zeros && number) {
    const bool sign = digits.front() == '-';
    if (sign) text += '-';
    text.append(padding, '0');
    text.append(digits.substr(sign ? 1 : 0));
    return;
  }
  text.append(padding, ' ');
  text.append(digits);
}

}  // namespace

void AppendInteger(std::string& text, long long value, int width, bool zeros) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  AppendPadded(text, std::string_view(digits, static_cast<std::size_t>(end - digits)), width,
               zeros);
}

void AppendFixed(std::string& text, double value, int width, int decimals) {
  // The widest double in fixed notation: 309 digits, a sign, a point and the decimals.
  char digits[400];
  const std::to_chars_result end =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  if (end.ec != std::errc()) {  // more decimals than the room holds: printf's way
    text += FormatText("%*.*f", width, decimals, value);
    return;
  }
  AppendPadded(text, std::string_view(digits, static_cast<std::size_t>(end.ptr - digits)), width,
               false);
}

}  // namespace mapbasis
