// An angle as people read it on a map: rounded to the whole minute (or second) of arc first, then
// split into whole degrees and minutes, so that 59.99999 is 60° 00', never 59° 60'.
#pragma once

namespace mapbasis {

struct DegreesMinutes {
  double degrees = 0.0;  // whole degrees, floor of the rounded angle
  int minutes = 0;       // 0..59
};

struct DegreesMinutesSeconds {
  double degrees = 0.0;
  int minutes = 0;  // 0..59
  int seconds = 0;  // 0..59
};

// nint(angle * 60) / 60: the nearest whole minute, halves away from zero.
double RoundToWholeMinute(double angle);

// Splits an angle already rounded to the whole minute: degrees = floor(v), minutes =
// nint((v - degrees) * 60). An angle that is not finite gives 0 minutes.
DegreesMinutes SplitDegreesMinutes(double v);

// The angle rounded to the whole second and split into degrees, minutes and seconds.
DegreesMinutesSeconds SplitDegreesMinutesSeconds(double angle);

}  // namespace mapbasis
