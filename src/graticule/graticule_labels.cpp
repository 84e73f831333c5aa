#include "graticule/graticule_labels.h"

#include <string_view>

#include "core/angle_format.h"
#include "core/cp1251.h"
#include "core/whole_minutes.h"

namespace mapbasis {

namespace {

struct LineKind {
  std::int32_t kind;
  std::string_view code;
  std::string_view text;
};

constexpr auto kParallelText = Cp1251("Параллель");
constexpr auto kMeridianText = Cp1251("Меридиан");
constexpr auto kArcticCircleText = Cp1251("Северный полярный круг");
constexpr auto kFrameText = Cp1251("Рамка");

constexpr auto kNorth = Cp1251("с.ш.");
constexpr auto kEast = Cp1251("в.д.");
constexpr auto kWest = Cp1251("з.д.");

// The Arctic Circle is labelled with fixed values: 66° 33.64' north.
constexpr auto kArcticDegrees = Cp1251("66°");
constexpr std::string_view kArcticMinutes = "33.64'";

const LineKind kKinds[] = {
    {1, "400011", kParallelText},
    {2, "400012", kMeridianText},
    {3, "400013", kArcticCircleText},
    {8, "400010", kFrameText},
};

}  // namespace

std::string GraticuleLineAttributes(std::int32_t kind, double value) {
  const LineKind* line = nullptr;
  for (const auto& k : kKinds) {
    if (k.kind == kind) line = &k;
  }
  if (line == nullptr) return {};

  std::string text = std::string(line->code) + "\\" + std::string(line->text) + "\\";
  if (kind == kLineArcticCircle) {
    return text + kArcticDegrees.str() + "\\" + std::string(kArcticMinutes) + "\\" + kNorth.str() +
           "\\";
  }
  if (kind == kLineOutline) return text + "\\\\\\";

  // Rounded to the whole minute first, so that 59.99999 becomes 60° 00', never 59° 60'.
  double v = RoundToWholeMinute(value);
  std::string_view hemisphere = kNorth;
  if (kind == kLineMeridian) {
    // Longitudes run eastward to 360: beyond 180 they are west longitudes. The meridians of a
    // sheet lie within one turn, and the label is not reduced to it (as FromGreenwich does).
    if (v > 180.0) {
      v = 360.0 - v;
      hemisphere = kWest;
    } else {
      hemisphere = kEast;
    }
  }
  const DegreesMinutes split = SplitDegreesMinutes(v);
  return text + FormatWholeDegrees(split.degrees) + "\\" + FormatMinutes(split.minutes) + "\\" +
         std::string(hemisphere) + "\\";
}

}  // namespace mapbasis
