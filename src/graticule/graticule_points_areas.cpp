#include "graticule/graticule_points_areas.h"

#include <cmath>
#include <cstdio>

#include "driver/angle_tolerance.h"
#include "graticule/graticule_lines.h"
#include "graticule/hyps_layer.h"
#include "graticule/line_vertices.h"
#include "shapeout/layer_files.h"
#include "shapeout/shape_writers.h"

namespace mapbasis {

namespace {

const FieldDef kHypsAFields[] = {
    {"L_code", {kFieldInteger, 6, 0}},
    {"Name", {kFieldString, 100, 0}},
};

const FieldDef kHypsPFields[] = {
    {"L_code", {kFieldInteger, 6, 0}},
    {"Lat", {kFieldString, 20, 0}},
    {"Lon", {kFieldString, 20, 0}},
};

// The HypsA attribute text is 100 characters: "-1\" + name + "\".
constexpr std::size_t kMaxSheetNameLength = 96;

std::int32_t WriteArea(const GraticuleArgs& args, VertexWork& work, std::string& reason) {
  Layer layer;
  if (!OpenHypsLayer(args, "HypsA", kShapePolygon, kHypsAFields, layer, reason)) {
    return kHypsANotOpened;
  }
  if (args.SheetName.size() > kMaxSheetNameLength) {
    reason = "the sheet name \"" + args.SheetName + "\" is longer than " +
             std::to_string(kMaxSheetNameLength) + " characters";
    return kHypsANotWritten;
  }
  work.Clear();
  const std::int32_t n = ADDRECTANGLE(args.xFrom, args.xTo, args.LonDensifyStep, args.yFrom,
                                      args.yTo, args.LatDensifyStep, work);
  if (n == kLineNotBuilt) {
    reason = VertexOverflow(layer);
    return kHypsANotWritten;
  }
  const std::int32_t written =
      WRITESIMPLEPOLYGON(layer, "-1\\" + args.SheetName + "\\", work.X(), work.Y());
  if (written != kShapeWritten) {
    reason = RecordFailure(layer, written);
    return kHypsANotWritten;
  }
  CLOSENEWSHAPEFILE(layer);
  return kHypsAWritten;
}

std::int32_t WriteNodes(const GraticuleArgs& args, double sLon, double sLat, std::string& reason) {
  Layer layer;
  if (!OpenHypsLayer(args, "HypsP", kShapePoint, kHypsPFields, layer, reason)) {
    return kHypsANotOpened;
  }
  // Nodes on the trapezoid's edges (within 1/6000 degree) are included.
  const double la1 = STARTGRADVALUE(args.yFrom, args.BaseSouth, sLat);
  const double la2 = ENDGRADVALUE(args.yTo, args.BaseSouth, sLat);
  const double lo1 = STARTGRADVALUE(args.xFrom, args.BaseWest, sLon);
  const double lo2 = ENDGRADVALUE(args.xTo, args.BaseWest, sLon);
  const auto notBeyond = [](double v, double last) { return v < last || EQWITHTOLERANCE(v, last); };
  if (notBeyond(la1, la2) && notBeyond(lo1, lo2)) {
    // A row ends on the node that meets the last one; the test against "beyond" only keeps the
    // walk finite should rounding ever carry a node past it.
    for (double i = 0.0;; i += 1.0) {
      const double lat = la1 + i * sLat;
      for (double j = 0.0;; j += 1.0) {
        const double lon = lo1 + j * sLon;
        const std::int32_t written = WRITEPOINT(layer, CREATEHYPSPATT(lat, lon), lon, lat);
        if (written != kShapeWritten) {
          reason = RecordFailure(layer, written);
          return kHypsANotWritten;
        }
        if (EQWITHTOLERANCE(lon, lo2) || lon > lo2) break;
      }
      if (EQWITHTOLERANCE(lat, la2) || lat > la2) break;
    }
  }
  CLOSENEWSHAPEFILE(layer);
  return kHypsAWritten;
}

}  // namespace

std::string GRADMINSEC(double angle) {
  const double w = std::round(angle * 3600.0) / 3600.0;
  const double degrees = std::floor(w);
  double m = (w - degrees) * 60.0;
  m = std::round(m * 60.0) / 60.0;
  const double minutes = std::floor(m);
  const double seconds = std::floor(std::round((m - minutes) * 60.0));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%4ld\xB0%02ld'%02ld\"", static_cast<long>(degrees),
                static_cast<long>(minutes), static_cast<long>(seconds));
  return buffer;
}

std::string CREATEHYPSPATT(double lat, double lon) {
  return "-1\\" + GRADMINSEC(lat) + "\\" + GRADMINSEC(lon) + "\\";
}

std::int32_t CREATEHYPSA(const GraticuleArgs& args, double sLon, double sLat, VertexWork& work,
                         std::string& reason) {
  if (const std::int32_t status = WriteArea(args, work, reason); status != kHypsAWritten) {
    return status;
  }
  return WriteNodes(args, sLon, sLat, reason);
}

std::int32_t CREATEHYPS(const GraticuleArgs& args, VertexWork& work,
                        std::vector<double>& ParallelLats, std::vector<double>& MeridianLons,
                        std::string& reason) {
  const bool sheet200 = args.MillionSeries == 0;
  const double sLon = sheet200 ? args.LonDensifyStep : 2.0 * args.LonDensifyStep;
  const double sLat = sheet200 ? args.LatDensifyStep : 2.0 * args.LatDensifyStep;
  if (CREATEHYPSA(args, sLon, sLat, work, reason) != kHypsAWritten) return 1;
  if (CREATEHYPSL(args, work, ParallelLats, MeridianLons, reason) != kHypsLWritten) return 1;
  return 0;
}

}  // namespace mapbasis
