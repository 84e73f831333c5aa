#include "core/angle_format.h"

#include <cmath>

#include "core/angle_tolerance.h"
#include "core/cp1251.h"
#include "core/format_text.h"
#include "core/whole_minutes.h"

namespace mapbasis {

namespace {

constexpr auto kDash = Cp1251(" – ");

struct Marks {
  std::string_view north, east, west;
};
constexpr auto kDialogNorth = Cp1251(" с. ш.");
constexpr auto kDialogEast = Cp1251(" в. д.");
constexpr auto kDialogWest = Cp1251(" з. д.");
constexpr auto kLayoutNorth = Cp1251(" с.ш.");
constexpr auto kLayoutEast = Cp1251(" в.д.");
constexpr auto kLayoutWest = Cp1251(" з.д.");

std::string_view MarkOf(Hemisphere hemisphere, AngleTextForm form) {
  const Marks marks = form == AngleTextForm::kDialog
                          ? Marks{kDialogNorth.view(), kDialogEast.view(), kDialogWest.view()}
                          : Marks{kLayoutNorth.view(), kLayoutEast.view(), kLayoutWest.view()};
  switch (hemisphere) {
    case Hemisphere::kNorth: return marks.north;
    case Hemisphere::kEast: return marks.east;
    case Hemisphere::kWest: return marks.west;
    case Hemisphere::kNone: break;
  }
  return {};
}

std::string AngleOf(double angle, AngleTextForm form) {
  return form == AngleTextForm::kDialog ? FormatDegreesMinutes(angle)
                                        : FormatDegreesDecimalMinutes(angle);
}

struct Written {
  std::string angle;
  std::string_view mark;
};

Written WrittenLatitude(double lat, AngleTextForm form) {
  return {AngleOf(lat, form), MarkOf(Hemisphere::kNorth, form)};
}

Written WrittenLongitude(double lon, AngleTextForm form) {
  const LongitudeFromGreenwich read = ReadLongitude(lon, form);
  return {AngleOf(read.angle, form), MarkOf(read.hemisphere, form)};
}

std::string RangeOf(const Written& from, const Written& to) {
  std::string text = from.angle;
  if (from.mark != to.mark) text += from.mark;
  text += kDash.view();
  text += to.angle;
  text += to.mark.empty() ? from.mark : to.mark;
  return text;
}

}  // namespace

std::string FormatDegreesMinutes(double angle) {
  const DegreesMinutes split = SplitDegreesMinutes(RoundToWholeMinute(angle));
  return FormatText("%.0f%c %02d'", split.degrees, kDegreeSign, split.minutes);
}

std::string FormatDegreesDecimalMinutes(double angle) {
  const double hundredths = std::round(angle * 6000.0);
  const double degrees = std::floor(hundredths / 6000.0);
  const double minutes = (hundredths - degrees * 6000.0) / 100.0;
  if (minutes == std::floor(minutes)) {
    return FormatText("%.0f%c %02.0f'", degrees, kDegreeSign, minutes);
  }
  return FormatText("%.0f%c %05.2f'", degrees, kDegreeSign, minutes);
}

std::string FormatWholeDegrees(double degrees) {
  return FormatText("%.0f%c", degrees, kDegreeSign);
}

std::string FormatMinutes(std::int32_t minutes) {
  return FormatText("%02d'", static_cast<int>(minutes));
}

LongitudeFromGreenwich FromGreenwich(double lon) {
  lon -= 360.0 * std::floor(lon / 360.0);
  if (lon > 180.0) return {360.0 - lon, Hemisphere::kWest};
  return {lon, Hemisphere::kEast};
}

LongitudeFromGreenwich ReadLongitude(double lon, AngleTextForm form) {
  const LongitudeFromGreenwich read = FromGreenwich(lon);
  if (form == AngleTextForm::kDialog) {
    // 0 and 180 as written: a value a hair west of Greenwich reads 0 too.
    if (AnglesEqual(read.angle, 0.0)) return {0.0, Hemisphere::kNone};
    if (AnglesEqual(read.angle, 180.0)) return {180.0, Hemisphere::kNone};
  }
  return read;
}

std::string LatitudeText(double lat, AngleTextForm form) {
  const Written w = WrittenLatitude(lat, form);
  return w.angle + std::string(w.mark);
}

std::string LongitudeText(double lon, AngleTextForm form) {
  const Written w = WrittenLongitude(lon, form);
  return w.angle + std::string(w.mark);
}

std::string LatitudeRangeText(double south, double north, AngleTextForm form) {
  return RangeOf(WrittenLatitude(south, form), WrittenLatitude(north, form));
}

std::string LongitudeRangeText(double west, double east, AngleTextForm form) {
  return RangeOf(WrittenLongitude(west, form), WrittenLongitude(east, form));
}

}  // namespace mapbasis
