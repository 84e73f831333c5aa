#include "driver/shell_texts.h"

#include <array>

#include "core/cp1251.h"
#include "core/sheet_parameters.h"

namespace mapbasis {

namespace {

constexpr auto kSk42 = Cp1251("СК-42");
constexpr auto kSk95 = Cp1251("СК-95");
constexpr auto kGsk2011 = Cp1251("ГСК-2011");
constexpr std::array<std::string_view, 3> kCoordinateSystems = {kSk42.view(), kSk95.view(),
                                                                kGsk2011.view()};
static_assert(kCsSk42 == 1 && kCsSk95 == 2 && kCsGsk2011 == 3, "the names are in CS order");

constexpr std::array<std::string_view, 3> kScales200k = {"1 :   200 000", "1 :   500 000",
                                                         "1 : 1 000 000"};
constexpr std::array<std::string_view, 3> kScales1m = {"1 : 1 000 000", "1 : 2 500 000",
                                                       "1 : 5 000 000"};

}  // namespace

std::span<const std::string_view> CoordinateSystemNames() { return kCoordinateSystems; }

std::string CoordinateSystemName(std::int32_t CS) {
  if (CS < kCsSk42 || CS > kCsGsk2011) return "?";
  return std::string(kCoordinateSystems[static_cast<std::size_t>(CS - kCsSk42)]);
}

std::span<const std::string_view> MapScaleNames(std::int32_t MillionSeries) {
  return MillionSeries == 0 ? kScales200k : kScales1m;
}

std::string MapScaleName(std::int32_t MillionSeries, std::int32_t MapScale) {
  const auto scales = MapScaleNames(MillionSeries);
  if (MapScale < 0 || MapScale >= static_cast<std::int32_t>(scales.size())) return "?";
  // The list's alignment is one blank in a message.
  std::string name;
  for (const char c : scales[static_cast<std::size_t>(MapScale)]) {
    if (!(c == ' ' && !name.empty() && name.back() == ' ')) name += c;
  }
  return name;
}

}  // namespace mapbasis
