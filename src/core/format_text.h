// printf-style formatting into a string of the length the text needs, so that no caller sizes a
// buffer for the widest number it might print.
#pragma once

#include <string>

namespace mapbasis {

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace mapbasis
