#include "graticule/graticule_points_areas.h"

#include "core/angle_tolerance.h"
#include "core/format_text.h"
#include "core/messages.h"
#include "core/whole_minutes.h"
#include "graticule/graticule_lines.h"
#include "graticule/line_vertices.h"
#include "shapeout/layer_output.h"

namespace mapbasis {

namespace {

// The HypsA attribute text is 100 characters: "-1\" + name + "\".
constexpr std::size_t kMaxSheetNameLength = 96;

Outcome NotOpened(Outcome opened) {
  return Failure(GraticuleFault::kLayerNotOpened, std::move(opened.reason));
}
Outcome NotWritten(Outcome written) {
  return Failure(GraticuleFault::kLayerNotWritten, std::move(written.reason));
}

Outcome WriteArea(const GraticuleArgs& args, VertexWork& work) {
  Layer layer;
  if (Outcome opened = OpenLayerIn(args.CS, args.Folders, LayerOf(SheetLayer::HypsA), layer,
                                   *args.Destination, args.Styles);
      !opened.ok()) {
    return NotOpened(std::move(opened));
  }
  if (args.SheetName.size() > kMaxSheetNameLength) {
    return Failure(GraticuleFault::kLayerNotWritten,
                   Tr("the sheet name \"%1\" is longer than %2 characters", args.SheetName,
                      kMaxSheetNameLength));
  }
  work.Clear();
  AppendTrapezoidRing(args.xFrom, args.xTo, args.LonDensifyStep, args.yFrom, args.yTo,
                      args.LatDensifyStep, work);
  Outcome written = WriteWorkPolygon(layer, "-1\\" + args.SheetName + "\\", work);
  if (!written.ok()) return NotWritten(std::move(written));
  if (Outcome finished = FinishLayer(layer); !finished.ok()) return NotWritten(std::move(finished));
  return Success();
}

Outcome WriteNodes(const GraticuleArgs& args, double sLon, double sLat) {
  Layer layer;
  if (Outcome opened = OpenLayerIn(args.CS, args.Folders, LayerOf(SheetLayer::HypsP), layer,
                                   *args.Destination, args.Styles);
      !opened.ok()) {
    return NotOpened(std::move(opened));
  }
  // Nodes on the trapezoid's edges (within 1/6000 degree) are included.
  const double la1 = GridValueAtOrAbove(args.yFrom, args.BaseSouth, sLat);
  const double la2 = GridValueAtOrBelow(args.yTo, args.BaseSouth, sLat);
  const double lo1 = GridValueAtOrAbove(args.xFrom, args.BaseWest, sLon);
  const double lo2 = GridValueAtOrBelow(args.xTo, args.BaseWest, sLon);
  const auto notBeyond = [](double v, double last) { return v < last || AnglesEqual(v, last); };
  if (notBeyond(la1, la2) && notBeyond(lo1, lo2)) {
    // A row ends on the node that meets the last one; the test against "beyond" only keeps the
    // walk finite should rounding ever carry a node past it.
    for (double i = 0.0;; i += 1.0) {
      const double lat = la1 + i * sLat;
      for (double j = 0.0;; j += 1.0) {
        const double lon = lo1 + j * sLon;
        Outcome written = WritePointRecord(layer, NodeAttributes(lat, lon), lon, lat);
        if (!written.ok()) return NotWritten(std::move(written));
        if (AnglesEqual(lon, lo2) || lon > lo2) break;
      }
      if (AnglesEqual(lat, la2) || lat > la2) break;
    }
  }
  if (Outcome finished = FinishLayer(layer); !finished.ok()) return NotWritten(std::move(finished));
  return Success();
}

}  // namespace

std::string FormatDegreesMinutesSeconds(double angle) {
  // printf's "%4.0f\xB0%02d'%02d\"": a node's two texts, laid out by printf, would be most of the
  // layer's cost.
  const DegreesMinutesSeconds split = SplitDegreesMinutesSeconds(angle);
  std::string text;
  AppendFixed(text, split.degrees, 4, 0);
  text += '\xB0';
  AppendInteger(text, split.minutes, 2, true);
  text += '\'';
  AppendInteger(text, split.seconds, 2, true);
  text += '"';
  return text;
}

std::string NodeAttributes(double lat, double lon) {
  return "-1\\" + FormatDegreesMinutesSeconds(lat) + "\\" + FormatDegreesMinutesSeconds(lon) + "\\";
}

Outcome WriteAreaAndNodes(const GraticuleArgs& args, double sLon, double sLat, VertexWork& work) {
  if (Outcome area = WriteArea(args, work); !area.ok()) return area;
  return WriteNodes(args, sLon, sLat);
}

Outcome WriteGraticuleLayers(const GraticuleArgs& args, VertexWork& work,
                             std::vector<double>& ParallelLats, std::vector<double>& MeridianLons) {
  const bool sheet200 = args.MillionSeries == 0;
  const double sLon = sheet200 ? args.LonDensifyStep : 2.0 * args.LonDensifyStep;
  const double sLat = sheet200 ? args.LatDensifyStep : 2.0 * args.LatDensifyStep;
  if (Outcome written = WriteAreaAndNodes(args, sLon, sLat, work); !written.ok()) return written;
  return WriteGraticuleLines(args, work, ParallelLats, MeridianLons);
}

}  // namespace mapbasis
