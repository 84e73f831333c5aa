#include "driver/frame_stage.h"

#include "frame/frame_layers.h"
#include "qgis/sheet_styles.h"

namespace mapbasis {

FrameArgs FrameArgsOf(const SheetParameters& p, const GenerationWork& work) {
  FrameArgs args;
  args.CS = p.CS;
  args.MillionSeries = p.MillionSeries;
  args.MapScale = p.MapScale;
  args.Belt = p.Belt;
  args.Zone = p.Zone;
  args.SheetNo = p.SheetNo;
  args.ExtraSheets = p.ExtraSheets;
  args.AdjacentNorth = work.AdjacentNorth;
  args.AdjacentSouth = work.AdjacentSouth;
  args.AdjacentEast = work.AdjacentEast;
  args.AdjacentWest = work.AdjacentWest;
  args.xFrom = p.xFrom;
  args.xTo = p.xTo;
  args.LonDensifyStep = LonDensifyStep;
  args.yFrom = p.yFrom;
  args.yTo = p.yTo;
  args.LatDensifyStep = LatDensifyStep;
  args.BaseWest = p.BaseWest;
  args.BaseEast = p.BaseEast;
  args.BaseSouth = p.BaseSouth;
  args.BaseNorth = p.BaseNorth;
  args.xMinute = p.xMinute;
  args.yMinute = p.yMinute;
  return args;
}

Outcome FrameStage(const SheetParameters& p, const ResultFolders& folders, GenerationWork& work) {
  FrameArgs args = FrameArgsOf(p, work);
  args.Folders = folders;
  args.Styles = SheetLayerStyles(p);
  args.Destination = &work.Files;
  return WriteFrameLayers(args, work.ParallelLats, work.MeridianLons, work.Work);
}

}  // namespace mapbasis
