// What the run driver and the dialogs both say, written once at the boundary between them: the
// names of the coordinate systems and of the map scales, and the line break of a message box.
// Texts are cp1251.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mapbasis {

// The lines of a message box are separated by carriage returns; each face of the dialogs turns
// them into its own line breaks.
inline constexpr char kMessageLineBreak = '\r';

// "СК-42", "СК-95", "ГСК-2011", for CS 1, 2 and 3 in turn.
std::span<const std::string_view> CoordinateSystemNames();

// The name of a coordinate system; "?" for a code that names none.
std::string CoordinateSystemName(std::int32_t CS);

// The map scales of a series (MillionSeries 0 or 1) for MapScale 0, 1 and 2, aligned with inner
// blanks as the dialog's lists show them: "1 :   200 000", "1 :   500 000", "1 : 1 000 000".
std::span<const std::string_view> MapScaleNames(std::int32_t MillionSeries);

// The name of a map scale in a message, without the alignment: "1 : 200 000"; "?" for a scale
// outside the series.
std::string MapScaleName(std::int32_t MillionSeries, std::int32_t MapScale);

}  // namespace mapbasis
