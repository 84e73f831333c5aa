#include "driver/frame_stage.h"

#include "frame/frame_layers.h"

namespace mapbasis {

FrameArgs FrameArgsOf(const SheetParameters& p, const ResultFolders& folders,
                      GenerationWork& work) {
  return {LayerGroupArgsOf(p, folders, work),
          p.MapScale,
          work.AdjacentNorth,
          work.AdjacentSouth,
          work.AdjacentEast,
          work.AdjacentWest,
          p.xMinute,
          p.yMinute};
}

Outcome FrameStage(const SheetParameters& p, const ResultFolders& folders, GenerationWork& work) {
  return WriteFrameLayers(FrameArgsOf(p, folders, work), work.ParallelLats, work.MeridianLons,
                          work.Work);
}

}  // namespace mapbasis
