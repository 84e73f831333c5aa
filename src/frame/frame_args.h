// What the frame layers need to know of a run. The run driver fills it from the parameter record
// and its work data; the frame never sees the record itself.
#pragma once

#include <cstdint>
#include <string>

#include "shapeout/layer_styles.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

struct FrameArgs {
  std::int32_t CS = 0;             // coordinate system of the projection files
  std::int32_t MillionSeries = 0;  // series and map scale choose the frame style
  std::int32_t MapScale = 0;
  std::int32_t Belt = 0, Zone = 0, SheetNo = 0, ExtraSheets = 0;
  std::string AdjacentNorth, AdjacentSouth, AdjacentEast, AdjacentWest;  // cp1251 sheet names
  ResultFolders Folders;          // the layers go to Folders.frame
  double xFrom = 0.0, xTo = 0.0;  // the result trapezoid: the sheet edge
  double LonDensifyStep = 0.0;    // vertex spacing along parallels
  double yFrom = 0.0, yTo = 0.0;
  double LatDensifyStep = 0.0;  // vertex spacing along meridians
  double BaseWest = 0.0, BaseEast = 0.0, BaseSouth = 0.0, BaseNorth = 0.0;  // the base trapezoid
  std::int32_t xMinute = 0, yMinute = 0;  // minute-band divisions, whole minutes
  LayerStyles Styles;                     // the style written beside each layer; none when empty
  // The run's files that each finished layer joins (shapeout/sheet_files.h), to be put in place
  // together (publish/); required.
  FileSets* Destination = nullptr;
};

}  // namespace mapbasis
