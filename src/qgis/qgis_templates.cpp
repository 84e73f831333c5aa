#include "qgis/qgis_templates.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace mapbasis {

std::string_view OneLineTemplate(std::string_view name) {
  std::string_view text = QgisTemplate(name);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string FillTemplate(std::string_view text, const TemplateValues& values) {
  std::string out;
  std::size_t filled = text.size();
  for (const auto& value : values) filled += value.second.size();
  out.reserve(filled);
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find("{{", at);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find("}}", open + 2);
    if (close == std::string_view::npos) break;
    const std::string_view name = text.substr(open + 2, close - open - 2);
    const std::string* value = nullptr;
    for (const auto& [key, filled] : values) {
      if (key == name) value = &filled;
    }
    if (value == nullptr) throw std::logic_error("no value for {{" + std::string(name) + "}}");
    out.append(text.substr(at, open - at));
    out.append(*value);
    at = close + 2;
  }
  out.append(text.substr(at));
  return out;
}

std::string XmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string DecimalText(double value, int decimals) {
  // to_chars rounds as printf's "%.*f" does, exactly, without printf's cost.
  char buffer[400];
  const std::to_chars_result end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, end.ec == std::errc() ? end.ptr : buffer);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

}  // namespace mapbasis
