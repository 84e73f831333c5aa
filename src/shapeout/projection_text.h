// The geographic coordinate systems of the map series as one line of ESRI WKT each.
#pragma once

#include <cstdint>
#include <string_view>

namespace mapbasis {

// The projection text of a coordinate system (СК-42, СК-95, ГСК-2011), without its line end;
// empty for any other code.
std::string_view ProjectionText(std::int32_t CS);

}  // namespace mapbasis
