// What the graticule layers need to know of a run, besides what both groups of layers take of it
// (shapeout/layer_group_args.h).
#pragma once

#include <string>

#include "shapeout/layer_group_args.h"

namespace mapbasis {

// Why a graticule layer was not written.
enum class GraticuleFault {
  kLayerNotOpened = 1,
  kLayerNotWritten = 2,
};

struct GraticuleArgs : LayerGroupArgs {
  std::string SheetName;  // nomenclature of the sheet, cp1251
  double MeridianStep = 0.0;
  double ParallelStep = 0.0;
};

}  // namespace mapbasis
