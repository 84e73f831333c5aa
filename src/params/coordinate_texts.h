// A latitude or longitude that a person types on the command line: decimal degrees, or degrees and
// minutes as the parameter file writes its angles.
#pragma once

#include <optional>
#include <string_view>

namespace mapbasis {

// Reads «55.75», «-170.5», «55,75» (a decimal comma reads as a point), «37.62°», and the angle
// texts of the parameter file «55°45'», «55° 45'», «55 45», «55» (whole minutes), each with an
// optional leading sign. Text cp1251, blanks around it allowed. Empty when the text is no angle:
// an exponent, «inf», text after the minute sign (seconds are not read; write decimal degrees).
// The value is not checked against any range.
std::optional<double> ParseAngleArgument(std::string_view text);

}  // namespace mapbasis
