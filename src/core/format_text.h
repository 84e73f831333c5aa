// printf-style formatting into a string of the length the text needs, so that no caller sizes a
// buffer for the widest number it might print.
#pragma once

#include <string>

namespace mapbasis {

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf's "%<width>d" ("%0<width>d" with `zeros`) and "%<width>.<decimals>f", byte for byte,
// appended to `text`. Laid out with to_chars, at a fraction of printf's cost, for the numbers a
// sheet writes by the thousand.
void AppendInteger(std::string& text, long long value, int width, bool zeros = false);
void AppendFixed(std::string& text, double value, int width, int decimals);

}  // namespace mapbasis
