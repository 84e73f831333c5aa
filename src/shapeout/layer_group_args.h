// What both groups of layers, the graticule's (HYPS) and the frame's (FRAME), take of a run: the
// trapezoid they are drawn on, the coordinate system of their projection files, and where their
// files go. The run driver builds it once from the parameter record; each group's own arguments
// (graticule/graticule_args.h, frame/frame_args.h) add what only that group needs.
#pragma once

#include <cstdint>

#include "shapeout/layer_styles.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// The result trapezoid as the layers draw it: its edges, and the spacing of the vertices along its
// parallels and meridians.
struct DrawnTrapezoid {
  double xFrom = 0.0, xTo = 0.0;  // west and east edge: the sheet edge
  double LonDensifyStep = 0.0;    // vertex spacing along parallels
  double yFrom = 0.0, yTo = 0.0;  // south and north edge
  double LatDensifyStep = 0.0;    // vertex spacing along meridians
};

struct LayerGroupArgs : DrawnTrapezoid {
  std::int32_t CS = 0;             // coordinate system of the projection files
  std::int32_t MillionSeries = 0;  // the series of the sheet
  // The base trapezoid: the graticule is anchored on its west and south edges, the minute band's
  // divisions too.
  double BaseWest = 0.0, BaseEast = 0.0, BaseSouth = 0.0, BaseNorth = 0.0;
  ResultFolders Folders;  // the layers go to Folders.hyps or Folders.frame
  LayerStyles Styles;     // the style written beside each layer; none when empty
  // The run's files that each finished layer joins (shapeout/sheet_files.h), to be put in place
  // together (publish/); required.
  FileSets* Destination = nullptr;
};

}  // namespace mapbasis
