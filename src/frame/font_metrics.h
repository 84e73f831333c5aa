// The label fonts of the frame and the measuring of a label text in them.
//
// Metrics are in thousandths of the font size: the advance width and the ink box (llx, lly, urx,
// ury; bottom and top measured from the baseline) of each cp1251 character. A character without
// metrics measures 0 in all five. The table itself is generated (font_metrics_table.cpp).
#pragma once

#include <cstdint>
#include <string_view>

namespace mapbasis {

inline constexpr int kFontCount = 3;

// Font numbers of the style table.
inline constexpr std::int32_t kFontPragmatica = 1;
inline constexpr std::int32_t kFontFreeSet = 2;
inline constexpr std::int32_t kFontCenturion = 3;

struct GlyphMetrics {
  std::int16_t advance = 0;
  std::int16_t llx = 0, lly = 0, urx = 0, ury = 0;
};

// Indexed [font - 1][cp1251 code].
extern const GlyphMetrics kFontMetricsTable[kFontCount][256];

// The name of a font as the attribute tables carry it: "PragmaticaC", "FreeSet", "AGCenturion";
// empty for a number outside 1..3.
std::string_view FontName(std::int32_t font);

// The metrics of a cp1251 character in a font 1..3; all zero for a character without metrics and
// for a font outside 1..3.
const GlyphMetrics& FontMetrics(unsigned char code, std::int32_t font);

// Which ends of a text are trimmed to the ink when it is measured.
inline constexpr std::int32_t kTrimNone = 0;   // advance widths only
inline constexpr std::int32_t kTrimRight = 1;  // the last character ends at its ink plus one unit
inline constexpr std::int32_t kTrimLeft = 2;   // the first character's left bearing is not counted
inline constexpr std::int32_t kTrimBoth = 3;

// A measured text, in millimetres on the map. The height of the text is ascent - descent.
struct TextExtent {
  double descent = 0.0;  // lowest ink below the baseline (negative or zero)
  double ascent = 0.0;   // highest ink above it
  double width = 0.0;

  double height() const { return ascent - descent; }
};

// Measures a cp1251 text set in `font` at `size` points. An empty text has width 0, descent
// 999 999 units and ascent -999 999 units.
TextExtent MeasureText(std::string_view text, std::int32_t font, double size, std::int32_t trim);

}  // namespace mapbasis
