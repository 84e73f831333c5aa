#include "qgis/qgis_templates.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
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

namespace {

// 10 to the power of 0..15, each exact.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The value rounded to `decimals` decimals as printf rounds (the exact binary value, halves to
// even), as an integer count of the last decimal: when the scaled value stays below 2^52, so that
// its last place is at most half a unit. The product's rounding error, which fma gives exactly,
// decides the one case where the rounded product could mislead: a product that lands on a half.
std::optional<std::int64_t> ScaledExactly(double value, int decimals) {
  if (decimals < 0 || decimals >= static_cast<int>(std::size(kPowersOfTen))) return std::nullopt;
  const double scale = kPowersOfTen[decimals];
  const double product = value * scale;
  // Far from 0 or from the limit: the error below is exact only without underflow.
  if (!(std::fabs(product) < 0x1p52) || (value != 0.0 && std::fabs(value) < 0x1p-900)) {
    return std::nullopt;
  }
  const double error = std::fma(value, scale, -product);  // exact: product + error = value * scale
  double rounded = std::nearbyint(product);               // halves to even
  const double offset = product - rounded;                // exact
  if (std::fabs(offset) == 0.5 && error != 0.0) {
    // Not a half after all: the exact product lies beyond it.
    rounded = product + (error > 0.0 ? 0.5 : -0.5);
  }
  return static_cast<std::int64_t>(rounded);
}

}  // namespace

std::string DecimalText(double value, int decimals) {
  if (const std::optional<std::int64_t> scaled = ScaledExactly(value, decimals)) {
    // The digits of the count with the point set in, trailing zeros dropped; "0" for any zero.
    if (*scaled == 0) return "0";
    char digits[24];
    const std::uint64_t magnitude =
        *scaled < 0 ? 0 - static_cast<std::uint64_t>(*scaled) : static_cast<std::uint64_t>(*scaled);
    char* const end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    std::string_view whole(digits, static_cast<std::size_t>(end - digits));
    const auto places = static_cast<std::size_t>(decimals);
    std::string text;
    text.reserve(whole.size() + places + 3);
    if (*scaled < 0) text += '-';
    if (whole.size() <= places) {
      text += "0.";
      text.append(places - whole.size(), '0');
      text += whole;
    } else {
      text += whole.substr(0, whole.size() - places);
      if (places > 0) {
        text += '.';
        text += whole.substr(whole.size() - places);
      }
    }
    if (places > 0) {
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
    }
    return text;
  }
  char buffer[400];
  // to_chars rounds as printf's "%.*f" does, exactly, without printf's cost.
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
