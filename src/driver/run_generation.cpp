#include "driver/run_generation.h"

#include <algorithm>

#include "core/angle_tolerance.h"
#include "driver/frame_stage.h"
#include "geometry/sheet_grid.h"
#include "graticule/graticule_points_areas.h"
#include "qgis/sheet_project.h"
#include "qgis/sheet_styles.h"

namespace mapbasis {

namespace {

Outcome GraticuleStage(const SheetParameters& p, const ResultFolders& folders,
                       GenerationWork& work) {
  const GraticuleArgs args{LayerGroupArgsOf(p, folders, work), work.SheetName, p.MeridianStep,
                           p.ParallelStep};
  return WriteGraticuleLayers(args, work.Work, work.ParallelLats, work.MeridianLons);
}

// The QGIS project of the sheet, once its layers are written.
Outcome ProjectStage(const SheetParameters& p, const ResultFolders& folders, GenerationWork& work) {
  return WriteSheetProject(p, folders.result, work.SheetName, work.Files);
}

}  // namespace

LayerGroupArgs LayerGroupArgsOf(const SheetParameters& p, const ResultFolders& folders,
                                GenerationWork& work) {
  LayerGroupArgs args;
  args.xFrom = p.xFrom;
  args.xTo = p.xTo;
  args.LonDensifyStep = LonDensifyStep;
  args.yFrom = p.yFrom;
  args.yTo = p.yTo;
  args.LatDensifyStep = LatDensifyStep;
  args.CS = p.CS;
  args.MillionSeries = p.MillionSeries;
  args.BaseWest = p.BaseWest;
  args.BaseEast = p.BaseEast;
  args.BaseSouth = p.BaseSouth;
  args.BaseNorth = p.BaseNorth;
  args.Folders = folders;
  args.Styles = SheetLayerStyles(p);
  args.Destination = &work.Files;
  return args;
}

void AppendUnique(std::vector<double>& values, double v) {
  for (const double existing : values) {
    if (AnglesEqual(existing, v)) return;
  }
  values.push_back(v);
}

void CompleteGraticuleList(std::vector<double>& values, double from, double to, double origin,
                           double step) {
  if (AnglesEqual(GridValueAtOrAbove(from, origin, step), from)) AppendUnique(values, from);
  if (AnglesEqual(GridValueAtOrBelow(to, origin, step), to)) AppendUnique(values, to);
  if (values.size() > 1) std::sort(values.begin(), values.end());
}

GenerationStages StandardStages() { return {GraticuleStage, FrameStage, ProjectStage}; }

void NameSheets(const SheetParameters& p, GenerationWork& work) {
  const GridSheet sheet = GridSheetOf(p);
  work.SheetName = SheetNameOf(sheet);
  const auto neighbour = [&](std::int32_t direction) {
    return SheetNameOf(AdjacentSheet(direction, sheet));
  };
  work.AdjacentWest = neighbour(kWest);
  work.AdjacentEast = neighbour(kEast);
  work.AdjacentNorth = neighbour(kNorth);
  work.AdjacentSouth = neighbour(kSouth);
}

Outcome RunGeneration(const SheetParameters& p, const ResultFolders& folders, GenerationWork& work,
                      const GenerationStages& stages) {
  NameSheets(p, work);
  work.ParallelLats.clear();
  work.MeridianLons.clear();
  work.Files.clear();

  if (stages.graticule) {
    // No frame layer after a failed graticule.
    if (Outcome done = stages.graticule(p, folders, work); !done.ok()) return done;
  }

  CompleteGraticuleList(work.ParallelLats, p.yFrom, p.yTo, p.BaseSouth, p.ParallelStep);
  CompleteGraticuleList(work.MeridianLons, p.xFrom, p.xTo, p.BaseWest, p.MeridianStep);

  if (stages.frame) {
    if (Outcome done = stages.frame(p, folders, work); !done.ok()) return done;
  }
  if (stages.project) return stages.project(p, folders, work);
  return Success();
}

}  // namespace mapbasis
