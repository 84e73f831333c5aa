// The frame layers as a stage of the run: the parameter record and the run's work data adapted to
// what the frame needs to know.
#pragma once

#include "core/outcome.h"
#include "core/sheet_parameters.h"
#include "driver/run_generation.h"
#include "frame/frame_args.h"

namespace mapbasis {

// The frame's arguments: what both groups of layers take of the run (LayerGroupArgsOf), the map
// scale, the neighbours' names and the minute-band divisions.
FrameArgs FrameArgsOf(const SheetParameters& p, const ResultFolders& folders, GenerationWork& work);

// Writes the FRAME folder (WriteFrameLayers) from the completed graticule lists.
Outcome FrameStage(const SheetParameters& p, const ResultFolders& folders, GenerationWork& work);

}  // namespace mapbasis
