#include "frame/font_metrics.h"

#include <algorithm>

namespace mapbasis {

namespace {

constexpr std::string_view kFontNames[kFontCount] = {"PragmaticaC", "FreeSet", "AGCenturion"};

// A point is 25.4 / 72 mm; the metrics are thousandths of the size.
constexpr double kMillimetresPerPoint = 0.35277777777777775;

// The extremes an empty text keeps.
constexpr int kNoInkBelow = 999999;
constexpr int kNoInkAbove = -999999;

bool ValidFont(std::int32_t font) { return font >= 1 && font <= kFontCount; }

}  // namespace

std::string_view FontName(std::int32_t font) {
  return ValidFont(font) ? kFontNames[font - 1] : std::string_view{};
}

const GlyphMetrics& FontMetrics(unsigned char code, std::int32_t font) {
  static const GlyphMetrics kNone{};
  return ValidFont(font) ? kFontMetricsTable[font - 1][code] : kNone;
}

TextExtent MeasureText(std::string_view text, std::int32_t font, double size, std::int32_t trim) {
  const double unit = size * kMillimetresPerPoint / 1000.0;
  const bool trimLeft = trim == kTrimLeft || trim == kTrimBoth;
  const bool trimRight = trim == kTrimRight || trim == kTrimBoth;
  int width = 0;
  int low = kNoInkBelow;
  int high = kNoInkAbove;
  for (std::size_t c = 0; c < text.size(); ++c) {
    const GlyphMetrics& m = FontMetrics(static_cast<unsigned char>(text[c]), font);
    width += m.advance;
    low = std::min<int>(low, m.lly);
    high = std::max<int>(high, m.ury);
    if (c == 0 && trimLeft) width -= m.llx;
    if (c + 1 == text.size() && trimRight) width += m.urx + 1 - m.advance;
  }
  return {low * unit, high * unit, width * unit};
}

}  // namespace mapbasis
