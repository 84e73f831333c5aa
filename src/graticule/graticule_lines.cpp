#include "graticule/graticule_lines.h"

#include <cmath>

#include "graticule/graticule_labels.h"
#include "graticule/grid_lines.h"
#include "graticule/line_vertices.h"
#include "shapeout/layer_output.h"

namespace mapbasis {

namespace {

// The Arctic Circle is drawn only when it stays clear of the south and north edges by this much;
// the margin is single precision.
constexpr double kArcticMargin = static_cast<double>(0.001f);

Outcome NotWritten(Outcome written) {
  return Failure(GraticuleFault::kLayerNotWritten, std::move(written.reason));
}

}  // namespace

Outcome WriteGraticuleLines(const GraticuleArgs& args, VertexWork& work,
                            std::vector<double>& ParallelLats, std::vector<double>& MeridianLons) {
  // Lines on the sheet edges belong to the outline; only the interior ones are drawn here.
  std::vector<double> parallels, meridians;
  if (Outcome found = InteriorGridLines(args.yFrom, args.yTo, args.BaseSouth, args.ParallelStep,
                                        GridLines::kParallels, parallels);
      !found.ok()) {
    return NotWritten(std::move(found));
  }
  if (Outcome found = InteriorGridLines(args.xFrom, args.xTo, args.BaseWest, args.MeridianStep,
                                        GridLines::kMeridians, meridians);
      !found.ok()) {
    return NotWritten(std::move(found));
  }

  Layer layer;
  if (Outcome opened = OpenLayerIn(args.CS, args.Folders, LayerOf(SheetLayer::HypsL), layer,
                                   *args.Destination, args.Styles);
      !opened.ok()) {
    return Failure(GraticuleFault::kLayerNotOpened, std::move(opened.reason));
  }
  ParallelLats.clear();
  MeridianLons.clear();

  for (const double lat : parallels) {
    ParallelLats.push_back(lat);
    work.Clear();
    AppendParallel(lat, args.xFrom, args.xTo, args.LonDensifyStep, true, work);
    Outcome written = WriteWorkLine(layer, GraticuleLineAttributes(kLineParallel, lat), work);
    if (!written.ok()) return NotWritten(std::move(written));
  }
  for (const double lon : meridians) {
    MeridianLons.push_back(lon);
    work.Clear();
    AppendMeridian(lon, args.yFrom, args.yTo, args.LatDensifyStep, true, work);
    Outcome written = WriteWorkLine(layer, GraticuleLineAttributes(kLineMeridian, lon), work);
    if (!written.ok()) return NotWritten(std::move(written));
  }
  if (std::fabs(kArcticCircle - args.yTo) > kArcticMargin &&
      std::fabs(kArcticCircle - args.yFrom) > kArcticMargin && args.yFrom < kArcticCircle &&
      kArcticCircle < args.yTo) {
    work.Clear();
    AppendParallel(kArcticCircle, args.xFrom, args.xTo, args.LonDensifyStep, true, work);
    Outcome written =
        WriteWorkLine(layer, GraticuleLineAttributes(kLineArcticCircle, kArcticCircle), work);
    if (!written.ok()) return NotWritten(std::move(written));
  }
  work.Clear();
  AppendTrapezoidRing(args.xFrom, args.xTo, args.LonDensifyStep, args.yFrom, args.yTo,
                      args.LatDensifyStep, work);
  Outcome written = WriteWorkLine(layer, GraticuleLineAttributes(kLineOutline, args.xFrom), work);
  if (!written.ok()) return NotWritten(std::move(written));

  if (Outcome finished = FinishLayer(layer); !finished.ok()) return NotWritten(std::move(finished));
  return Success();
}

}  // namespace mapbasis
