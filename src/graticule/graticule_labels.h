// Label attributes of the graticule lines: object code, description and, for parallels and
// meridians, the coordinate split into degrees, minutes and hemisphere, ready for a GIS to place.
#pragma once

#include <cstdint>
#include <string>

namespace mapbasis {

// Line kinds of the HypsL layer.
inline constexpr std::int32_t kLineParallel = 1;
inline constexpr std::int32_t kLineMeridian = 2;
inline constexpr std::int32_t kLineArcticCircle = 3;
inline constexpr std::int32_t kLineOutline = 8;

// The attribute text (cp1251) of a line of the kind for the fields L_code, Text, Grad, Min and
// Indication, each value followed by a backslash. The coordinate is a latitude for parallels and
// a longitude for meridians; the Arctic Circle and the outline ignore it.
std::string GraticuleLineAttributes(std::int32_t kind, double value);

}  // namespace mapbasis
