// What the frame layers need to know of a run, besides what both groups of layers take of it
// (shapeout/layer_group_args.h). The run driver fills it from the parameter record and its work
// data; the frame never sees the record itself.
#pragma once

#include <cstdint>
#include <string>

#include "shapeout/layer_group_args.h"

namespace mapbasis {

struct FrameArgs : LayerGroupArgs {
  std::int32_t MapScale = 0;  // with the series, chooses what the frame draws and how
  std::string AdjacentNorth, AdjacentSouth, AdjacentEast, AdjacentWest;  // cp1251 sheet names
  std::int32_t xMinute = 0, yMinute = 0;  // minute-band divisions, whole minutes
};

}  // namespace mapbasis
