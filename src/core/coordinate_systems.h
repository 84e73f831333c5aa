// The coordinate systems a sheet is made in: СК-42, СК-95 and ГСК-2011, the CS codes 1, 2 and 3 of
// the parameter record. Everything that names a system reads it here: the parameter file and --cs
// (the texts they take), the dialogs and messages (the names they show), the .PRJ files (the ESRI
// WKT of each layer) and the QGIS project (the EPSG system QGIS knows, its ellipsoid and shift to
// WGS 84). Texts are cp1251.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mapbasis {

struct Ellipsoid {
  double a;   // semi-major axis, metres
  double rf;  // inverse flattening
};

struct CoordinateSystem {
  std::int32_t CS;  // the code of the parameter record
  // What the parameter file's CS= and --cs take, matched exactly: "CK-42" with the Latin C and K,
  // "ГCK-2011" with the Cyrillic Г before them.
  std::string_view parameterText;
  std::string_view name;       // as the dialogs and messages show it: "СК-42", all Cyrillic
  std::string_view statement;  // as the printed map states it: the name, datum and ellipsoid
  std::string_view prj;        // the .PRJ text: one line of ESRI WKT, without its line end
  std::int32_t epsg;           // the EPSG geographic system that QGIS has transformations for
  Ellipsoid ellipsoid;
  std::int32_t ellipsoidEpsg;      // the ellipsoid's EPSG code, which QGIS measures on
  std::string_view projEllipsoid;  // the ellipsoid as PROJ parameters
  std::string_view towgs84;        // the shift to WGS 84: PROJ's seven parameters, as EPSG has them
};

inline constexpr std::size_t kCoordinateSystemCount = 3;

// The system of a parameter file without CS, and of --index without --cs.
inline constexpr std::int32_t kDefaultCoordinateSystem = 1;  // СК-42

// Every system, in the order of their codes.
std::span<const CoordinateSystem> CoordinateSystems();

// The system of a CS code; nullptr for any other code, whose layers name no system.
const CoordinateSystem* CoordinateSystemOf(std::int32_t CS);

// The system whose parameter text is exactly `text` (no blanks around it); nullptr for any other.
const CoordinateSystem* CoordinateSystemOfText(std::string_view text);

// The letters of the parameter texts that are Cyrillic, once each: "Г".
std::string CyrillicOfParameterTexts();

// The .PRJ text of a CS code; empty for a code that names no system.
std::string_view ProjectionText(std::int32_t CS);

// The name of a CS code ("СК-42"); "?" for a code that names no system.
std::string CoordinateSystemName(std::int32_t CS);

// The system as PROJ parameters: its ellipsoid and its shift to WGS 84
// ("+ellps=krass +towgs84=25,-141,-78.5,0,0.35,0.736,0").
std::string ProjDatum(const CoordinateSystem& system);

}  // namespace mapbasis
