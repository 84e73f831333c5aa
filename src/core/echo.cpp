#include "core/echo.h"

#include <cstdio>

#include "core/cp1251.h"

namespace mapbasis {

std::string Echo(std::string_view text, std::size_t limit) {
  const bool cut = text.size() > limit;
  if (cut) text = text.substr(0, limit);
  std::string shown;
  shown.reserve(text.size() + 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (byte < 0x20 || byte == 0x7F || byte == 0x98) {
      // 0x98 has no character in cp1251 and reaches the terminal as the control U+0098.
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    } else {
      shown += c;
    }
  }
  if (cut) shown += "...";
  return shown;
}

std::string QuotedPath(const std::filesystem::path& path) {
  return "\"" + EchoPath(DisplayPath(path)) + "\"";
}

}  // namespace mapbasis
