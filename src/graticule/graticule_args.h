// What the graticule layers need to know of a run.
#pragma once

#include <cstdint>
#include <string>

#include "shapeout/layer_styles.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// Why a graticule layer was not written.
enum class GraticuleFault {
  kLayerNotOpened = 1,
  kLayerNotWritten = 2,
};

struct GraticuleArgs {
  std::int32_t CS = 0;             // coordinate system of the projection files
  std::int32_t MillionSeries = 0;  // series: decides the spacing of the coordinate nodes
  std::string SheetName;           // nomenclature of the sheet, cp1251
  ResultFolders Folders;           // the layers go to Folders.hyps
  double BaseWest = 0.0;           // the meridian grid is BaseWest + k * MeridianStep
  double xFrom = 0.0, xTo = 0.0;   // the result trapezoid
  double LonDensifyStep = 0.0;     // vertex spacing along parallels
  double BaseSouth = 0.0;          // the parallel grid is BaseSouth + k * ParallelStep
  double yFrom = 0.0, yTo = 0.0;
  double LatDensifyStep = 0.0;  // vertex spacing along meridians
  double MeridianStep = 0.0;
  double ParallelStep = 0.0;
  LayerStyles Styles;  // the style written beside each layer; none when empty
  // The run's files that each finished layer joins (shapeout/sheet_files.h), to be put in place
  // together (publish/); required.
  FileSets* Destination = nullptr;
};

}  // namespace mapbasis
