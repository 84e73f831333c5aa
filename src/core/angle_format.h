// How the program writes the latitudes and longitudes it adds to its own texts: its messages, the
// dialogs, the sheet's QGIS project and print layout, and --find. Texts are cp1251; the degree
// sign is the byte 0xB0. A longitude is held east, 0..360 (or beyond, for an east edge past 360):
// people read it from Greenwich, east up to 180 and west beyond it, so 186 is written 174° W.
//
// The labels stored in the layers keep forms of their own (graticule/graticule_labels.cpp,
// frame/coordinate_labels.cpp); they share the rounding and split of core/whole_minutes.h and, the
// frame's, the reading of a longitude from Greenwich here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mapbasis {

inline constexpr char kDegreeSign = '\xB0';

// «12° 00'», «0° 40'», «186° 00'»: the angle rounded to the whole minute, no hemisphere.
std::string FormatDegreesMinutes(double angle);

// «37° 30'», «37° 30.50'»: the angle rounded to the hundredth of a minute, the hundredths written
// only where it is not a whole minute.
std::string FormatDegreesDecimalMinutes(double angle);

// «40°»: whole degrees, rounded to the nearest.
std::string FormatWholeDegrees(double degrees);

// «01'», «40'»: whole minutes in two digits.
std::string FormatMinutes(std::int32_t minutes);

enum class Hemisphere { kNone, kNorth, kEast, kWest };

// A longitude as people read it: its angle from Greenwich, 0..180, and its side.
struct LongitudeFromGreenwich {
  double angle = 0.0;
  Hemisphere hemisphere = Hemisphere::kEast;
};

// The longitude reduced to one turn (a value beyond 360, or below 0, names the meridian it reaches
// round the globe); east up to 180 inclusive, west beyond it as 360 - L.
LongitudeFromGreenwich FromGreenwich(double lon);

// The forms of the Russian texts that write a hemisphere after the angle.
enum class AngleTextForm {
  // The dialogs: whole minutes, « с. ш.», « в. д.», « з. д.»; the meridians 0 and 180 (within the
  // angle tolerance) lie on neither side and have no mark.
  kDialog,
  // The sheet's print layout: minutes to the hundredth where not whole, « с.ш.», « в.д.», « з.д.».
  kLayout,
};

// The longitude as a form reads it: from Greenwich, with no side for 0 and 180 in the dialogs.
LongitudeFromGreenwich ReadLongitude(double lon, AngleTextForm form);

// «54° 40' с. ш.», «174° 00' з. д.», «37° 30.50' в.д.»
std::string LatitudeText(double lat, AngleTextForm form);
std::string LongitudeText(double lon, AngleTextForm form);

// «54° 00' – 54° 40' с. ш.», «37° 00' – 38° 00' в. д.», «174° 00' в. д. – 174° 00' з. д.»: the
// mark of the second edge (or, where it has none, of the first) ends the range, and the first
// edge carries its own mark where it differs from that of the second.
std::string LatitudeRangeText(double south, double north, AngleTextForm form);
std::string LongitudeRangeText(double west, double east, AngleTextForm form);

}  // namespace mapbasis
