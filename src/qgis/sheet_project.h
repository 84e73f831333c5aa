// The QGIS project of a result folder: the run's layers in drawing order with their styles, in a
// transverse Mercator on the sheet's middle meridian, measuring on the system's ellipsoid, and one
// print layout whose map shows the sheet at its map scale on a page the size of its frame plus a
// margin: the sheet's name above it (marked when the trapezoid was refined), the scale, the
// coordinate system with its datum, the trapezoid and the print's projection below it. Layers a
// user adds are clipped on the print to the sheet's trapezoid; the frame stays whole.
//
// The layers are in the EPSG system of the run's CS, so that QGIS has real transformations for
// them. QGIS, however, draws nothing east of 180 degrees in such a system, and a sheet of the
// western hemisphere has its longitudes from 180 on: its layers get a system of their own with
// the same ellipsoid and shift to WGS 84 and longitudes from 0 to 360, and the print's transverse
// Mercator is defined on it.
//
// The project has one fixed name, so a folder never holds a project of an earlier sheet beside
// the layers of a later one: a run moves it aside with the old layers and puts its own in place
// after the new ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/named_path.h"
#include "core/outcome.h"
#include "core/sheet_parameters.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

inline constexpr std::string_view kSheetProjectName = "mapbasis.qgs";

// Why the project could not be written.
enum class ProjectFault { kNotWritten = 30 };

// Where things lie on the layout, in millimetres from the page's top left corner, and the map's
// extent in metres of the projection.
struct SheetLayout {
  double centralMeridian = 0.0;  // degrees
  double scale = 0.0;            // denominator
  double pageWidth = 0.0, pageHeight = 0.0;
  double mapX = 0.0, mapY = 0.0, mapWidth = 0.0, mapHeight = 0.0;
  double xMin = 0.0, yMin = 0.0, xMax = 0.0, yMax = 0.0;
};

// Margins of the page around the map item, the room above it that holds the sheet's name, and the
// room below it that holds the scale and the coordinate system.
inline constexpr double kPageMargin = 10.0;
inline constexpr double kTitleRoom = 12.0;
inline constexpr double kNotesRoom = 16.0;
// The map item reaches this far beyond the frame's outermost line, for line widths and the names
// set across the outer frame.
inline constexpr double kFramePad = 3.0;

// The layout of the sheet of p (its result trapezoid, system and map scale).
SheetLayout SheetLayoutOf(const SheetParameters& p);

// The sheet's edge on the page, mm from its top left corner: a closed ring clockwise from the
// north-west corner, each edge in `steps` pieces (the parallels curve in the projection).
struct PagePoint {
  double x = 0.0, y = 0.0;
};
std::vector<PagePoint> SheetEdgeOnPage(const SheetParameters& p, const SheetLayout& layout,
                                       int steps = 64);

// «Масштаб 1:200 000», UTF-8.
std::string ScaleStatement(double denominator);

// The project's text; sheetName is cp1251. Empty when CS names no coordinate system.
std::string SheetProjectText(const SheetParameters& p, std::string_view sheetName);

// Writes the project for the result folder into `destination`, the run's files put in place
// together (publish/). Nothing is written when CS names no coordinate system.
Outcome WriteSheetProject(const SheetParameters& p, const NamedPath& resultFolder,
                          std::string_view sheetName, FileSets& destination);

}  // namespace mapbasis
