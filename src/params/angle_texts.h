// Degree-minute texts that people type: trapezoid edges and graticule spacings as whole degrees
// and minutes of arc, minute-scale divisions as whole minutes. All texts are cp1251; the degree
// sign is the byte 0xB0. They are written as core/angle_format.h writes them, and read back so.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mapbasis {

// Reads «12», «12°», «12 30», «12°30'», «12° 30'» (leading and trailing blanks allowed) as
// degrees + minutes / 60. No sign, no decimal point, minutes 0..59. Empty on any error.
std::optional<double> ParseDegreesMinutes(std::string_view text);

// Reads «5», «05'» as whole minutes 0..59. Empty on any error.
std::optional<std::int32_t> ParseWholeMinutes(std::string_view text);

}  // namespace mapbasis
