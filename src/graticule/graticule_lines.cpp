#include "graticule/graticule_lines.h"

#include <cmath>

#include "driver/angle_tolerance.h"
#include "graticule/graticule_labels.h"
#include "graticule/grid_lines.h"
#include "graticule/hyps_layer.h"
#include "graticule/line_vertices.h"
#include "shapeout/layer_files.h"
#include "shapeout/shape_writers.h"

namespace mapbasis {

namespace {

// The Arctic Circle is drawn only when it stays clear of the south and north edges by this much;
// the margin is single precision.
constexpr double kArcticMargin = static_cast<double>(0.001f);

const FieldDef kHypsLFields[] = {
    {"L_code", {kFieldInteger, 6, 0}},  {"Text", {kFieldString, 40, 0}},
    {"Grad", {kFieldString, 5, 0}},     {"Min", {kFieldString, 7, 0}},
    {"Indication", {kFieldString, 5, 0}},
};

class HypsLWriter {
 public:
  HypsLWriter(const GraticuleArgs& args, VertexWork& work, std::string& reason)
      : args_(args), work_(work), reason_(reason) {}

  bool Open() { return OpenHypsLayer(args_, "HypsL", kShapeArc, kHypsLFields, layer_, reason_); }

  // Writes the line now in the work arrays with the label of its kind.
  bool Write(std::int32_t built, std::int32_t kind, double value) {
    std::int32_t status = kShapeNotWritten;
    if (built != kLineNotBuilt) {
      status = WRITESIMPLELINE(layer_, CREATEHYPSLATT(kind, value), work_.X(), work_.Y());
    }
    if (status != kShapeWritten) {
      reason_ = built == kLineNotBuilt ? VertexOverflow(layer_) : RecordFailure(layer_, status);
      return false;
    }
    return true;
  }

  void Close() { CLOSENEWSHAPEFILE(layer_); }

 private:
  const GraticuleArgs& args_;
  VertexWork& work_;
  std::string& reason_;
  Layer layer_;
};

}  // namespace

std::int32_t CREATEHYPSL(const GraticuleArgs& args, VertexWork& work,
                         std::vector<double>& ParallelLats, std::vector<double>& MeridianLons,
                         std::string& reason) {
  // Lines on the sheet edges belong to the outline; only the interior ones are drawn here.
  const GridLines parallels =
      InteriorGridLines(args.yFrom, args.yTo, args.BaseSouth, args.ParallelStep);
  const GridLines meridians =
      InteriorGridLines(args.xFrom, args.xTo, args.BaseWest, args.MeridianStep);
  if (parallels.unsearchable || meridians.unsearchable) {
    reason = "the graticule spacing must be a positive angle";
    return kHypsLNotWritten;
  }
  if (parallels.overflow || meridians.overflow) {
    reason = "the sheet would carry more than " + std::to_string(kGraticuleListCapacity) +
             (parallels.overflow ? " parallels" : " meridians");
    return kHypsLNotWritten;
  }

  HypsLWriter writer(args, work, reason);
  if (!writer.Open()) return kHypsLNotOpened;
  ParallelLats.clear();
  MeridianLons.clear();

  for (const double lat : parallels.values) {
    ParallelLats.push_back(lat);
    work.Clear();
    const std::int32_t n = ADDPARALLEL(lat, args.xFrom, args.xTo, args.LonDensifyStep, true, work);
    if (!writer.Write(n, kLineParallel, lat)) return kHypsLNotWritten;
  }
  for (const double lon : meridians.values) {
    MeridianLons.push_back(lon);
    work.Clear();
    const std::int32_t n = ADDMERIDIAN(lon, args.yFrom, args.yTo, args.LatDensifyStep, true, work);
    if (!writer.Write(n, kLineMeridian, lon)) return kHypsLNotWritten;
  }
  if (std::fabs(kArcticCircle - args.yTo) > kArcticMargin &&
      std::fabs(kArcticCircle - args.yFrom) > kArcticMargin && args.yFrom < kArcticCircle &&
      kArcticCircle < args.yTo) {
    work.Clear();
    const std::int32_t n =
        ADDPARALLEL(kArcticCircle, args.xFrom, args.xTo, args.LonDensifyStep, true, work);
    if (!writer.Write(n, kLineArcticCircle, kArcticCircle)) return kHypsLNotWritten;
  }
  work.Clear();
  const std::int32_t n = ADDRECTANGLE(args.xFrom, args.xTo, args.LonDensifyStep, args.yFrom,
                                      args.yTo, args.LatDensifyStep, work);
  if (!writer.Write(n, kLineOutline, args.xFrom)) return kHypsLNotWritten;

  writer.Close();
  return kHypsLWritten;
}

}  // namespace mapbasis
