#include "core/whole_minutes.h"

#include <cmath>

namespace mapbasis {

double RoundToWholeMinute(double angle) { return std::round(angle * 60.0) / 60.0; }

DegreesMinutes SplitDegreesMinutes(double v) {
  // Adding 0.0 turns a negative zero into the zero that is written "0".
  DegreesMinutes split;
  split.degrees = std::floor(v) + 0.0;
  const double minutes = std::round((v - split.degrees) * 60.0);
  if (!std::isfinite(minutes)) return split;
  // Only an angle too large to hold a minute exactly could round up to 60.
  if (minutes >= 60.0) {
    split.degrees += 1.0;
    return split;
  }
  split.minutes = static_cast<int>(minutes);
  return split;
}

DegreesMinutesSeconds SplitDegreesMinutesSeconds(double angle) {
  const double w = std::round(angle * 3600.0) / 3600.0;
  DegreesMinutesSeconds split;
  split.degrees = std::floor(w) + 0.0;
  double m = (w - split.degrees) * 60.0;
  m = std::round(m * 60.0) / 60.0;
  const double minutes = std::floor(m);
  const double seconds = std::floor(std::round((m - minutes) * 60.0));
  if (std::isfinite(minutes) && std::isfinite(seconds)) {
    split.minutes = static_cast<int>(minutes);
    split.seconds = static_cast<int>(seconds);
  }
  return split;
}

}  // namespace mapbasis
