#include "qgis/sheet_project.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>
#include <vector>

#include "core/angle_format.h"
#include "core/angle_tolerance.h"
#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "core/echo.h"
#include "frame/frame_style.h"
#include "qgis/qgis_templates.h"
#include "qgis/sheet_styles.h"
#include "qgis/transverse_mercator.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_files.h"
#include "shapeout/sheet_files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// How far the frame's outermost line lies outside the sheet edge, mm on the map.
double FrameReach(const FrameStyle& s) {
  if (s.elements.outerFrame == OuterFrameLines::kBetweenCompanions)
    return s.OuterFrameOffset + s.OuterFrameSpacing;
  if (s.elements.outerFrame == OuterFrameLines::kOne) return s.OuterFrameOffset;
  if (s.elements.minuteBand) return s.MinuteFrameOffset + s.MinuteFrameWidth;
  return 0.0;
}

// The layer's shape file, relative to the project.
std::string SourceOf(const LayerSpec& layer) {
  return "./" + std::string(FolderName(layer.folder)) + "/" + std::string(layer.name) +
         std::string(kLayerKeyExtension);
}

// The geometry type QGIS names for the layer's shape type.
std::string_view GeometryOf(const LayerSpec& layer) {
  switch (layer.shapeType) {
    case kShapePoint: return "Point";
    case kShapePolygon: return "Polygon";
    default: return "Line";
  }
}

// The renderer and labelling of a .qml, to be embedded in the project's layer, and whether its
// labels are on.
struct EmbeddedStyle {
  std::string body;
  bool labelsEnabled = false;
};

EmbeddedStyle Embedded(std::string_view qml) {
  EmbeddedStyle style;
  const std::size_t root = qml.find("<qgis ");
  const std::size_t rootEnd = qml.find('>', root);
  const std::size_t close = qml.rfind("</qgis>");
  if (root == std::string_view::npos || rootEnd == std::string_view::npos ||
      close == std::string_view::npos || close < rootEnd) {
    return style;
  }
  style.labelsEnabled =
      qml.substr(root, rootEnd - root).find("labelsEnabled=\"1\"") != std::string_view::npos;
  std::string_view body = qml.substr(rootEnd + 1, close - rootEnd - 1);
  while (!body.empty() && (body.front() == '\n' || body.front() == '\r')) body.remove_prefix(1);
  while (!body.empty() && (body.back() == ' ' || body.back() == '\n')) body.remove_suffix(1);
  style.body = "  " + std::string(body);
  return style;
}

// QGIS keeps a layer's id only when it is longer than ten characters.
std::string ProjectLayerId(const LayerSpec& layer) { return "mapbasis-" + std::string(layer.name); }

// The ellipsoid the print is projected on: the system's, or that of the default system for a code
// that names none.
Ellipsoid EllipsoidOf(std::int32_t CS) {
  const CoordinateSystem* system = CoordinateSystemOf(CS);
  if (system == nullptr) system = CoordinateSystemOf(kDefaultCoordinateSystem);
  return system->ellipsoid;
}

// Whether the sheet reaches east of 180 degrees, where QGIS draws nothing of a layer in a system
// whose longitudes run from -180 to 180.
bool CrossesAntimeridian(const SheetParameters& p) { return p.xTo > 180.0; }

// The system's WKT as QGIS has it for its EPSG code (GEOGCS[...]), one line.
std::string_view Geogcs(const CoordinateSystem& system) {
  return OneLineTemplate("EPSG-" + std::to_string(system.epsg) + ".wkt");
}

// The <spatialrefsys> content of the layers and of the print. A sheet that QGIS can draw only in
// a system of its own has the system's ellipsoid and shift to WGS 84 as PROJ parameters.
std::string LayerCrs(const SheetParameters& p, const CoordinateSystem& system) {
  if (!CrossesAntimeridian(p)) return "<wkt>" + XmlEscaped(Geogcs(system)) + "</wkt>";
  return "<proj4>" +
         FillTemplate(OneLineTemplate("geographic-wrapped.proj"), {{"DATUM", ProjDatum(system)}}) +
         "</proj4>";
}

std::string ProjectCrs(const SheetParameters& p, const CoordinateSystem& system, double meridian) {
  const TemplateValues values = {{"MERIDIAN", DecimalText(meridian, 9)},
                                 {"GEOGCS", std::string(Geogcs(system))},
                                 {"DATUM", ProjDatum(system)}};
  if (!CrossesAntimeridian(p)) {
    return "<wkt>" + XmlEscaped(FillTemplate(OneLineTemplate("transverse-mercator.wkt"), values)) +
           "</wkt>";
  }
  return "<proj4>" + FillTemplate(OneLineTemplate("transverse-mercator.proj"), values) + "</proj4>";
}

std::string Mm(double value) { return DecimalText(value, 3); }
std::string Metres(double value) { return DecimalText(value, 6); }

// Text that stays one attribute of XML, line breaks included.
std::string XmlAttributeText(std::string_view text) {
  std::string escaped = XmlEscaped(text);
  std::string out;
  for (const char c : escaped) {
    if (c == '\n') {
      out += "&#10;";
    } else {
      out += c;
    }
  }
  return out;
}

// Whether the result trapezoid is not the base trapezoid of the sheet.
bool Refined(const SheetParameters& p) {
  return !AnglesEqual(p.xFrom, p.BaseWest) || !AnglesEqual(p.xTo, p.BaseEast) ||
         !AnglesEqual(p.yFrom, p.BaseSouth) || !AnglesEqual(p.yTo, p.BaseNorth);
}

}  // namespace

std::string ScaleStatement(double denominator) {
  std::string digits = DecimalText(denominator, 0);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, " ");
  return "Масштаб 1:" + digits;
}

std::vector<PagePoint> SheetEdgeOnPage(const SheetParameters& p, const SheetLayout& layout,
                                       int steps) {
  const Ellipsoid ellipsoid = EllipsoidOf(p.CS);
  const double metresPerMm = layout.scale / 1000.0;
  std::vector<PagePoint> ring;
  const auto take = [&](double lon, double lat) {
    const ProjectedPoint q = TransverseMercator(ellipsoid, layout.centralMeridian, lon, lat);
    ring.push_back({layout.mapX + (q.x - layout.xMin) / metresPerMm,
                    layout.mapY + (layout.yMax - q.y) / metresPerMm});
  };
  const auto lonAt = [&](int i) { return p.xFrom + (p.xTo - p.xFrom) * i / steps; };
  const auto latAt = [&](int i) { return p.yFrom + (p.yTo - p.yFrom) * i / steps; };
  for (int i = 0; i < steps; ++i) take(lonAt(i), p.yTo);     // north, west to east
  for (int i = steps; i > 0; --i) take(p.xTo, latAt(i));     // east, north to south
  for (int i = steps; i > 0; --i) take(lonAt(i), p.yFrom);   // south, east to west
  for (int i = 0; i <= steps; ++i) take(p.xFrom, latAt(i));  // west, south to north
  ring.back() = ring.front();
  return ring;
}

SheetLayout SheetLayoutOf(const SheetParameters& p) {
  const FrameStyle style = FrameStyleFor(p.MillionSeries, p.MapScale);
  const Ellipsoid ellipsoid = EllipsoidOf(p.CS);

  SheetLayout layout;
  layout.centralMeridian = (p.xFrom + p.xTo) / 2.0;
  layout.scale = style.ScaleDenominator;

  // The sheet's edges bulge in the projection: their extent is taken along them.
  double xMin = std::numeric_limits<double>::max(), yMin = xMin;
  double xMax = std::numeric_limits<double>::lowest(), yMax = xMax;
  constexpr int kSteps = 64;
  const auto take = [&](double lon, double lat) {
    const ProjectedPoint q = TransverseMercator(ellipsoid, layout.centralMeridian, lon, lat);
    xMin = std::min(xMin, q.x);
    xMax = std::max(xMax, q.x);
    yMin = std::min(yMin, q.y);
    yMax = std::max(yMax, q.y);
  };
  for (int i = 0; i <= kSteps; ++i) {
    const double lon = p.xFrom + (p.xTo - p.xFrom) * i / kSteps;
    const double lat = p.yFrom + (p.yTo - p.yFrom) * i / kSteps;
    take(lon, p.yFrom);
    take(lon, p.yTo);
    take(p.xFrom, lat);
    take(p.xTo, lat);
  }

  // The map item covers the frame and a little more; its size is kept to whole micrometres and
  // the extent made from it, so that the map shows exactly the map scale.
  const double metresPerMm = layout.scale / 1000.0;
  const double reach = FrameReach(style) + kFramePad;
  const auto micrometres = [](double mm) { return std::round(mm * 1000.0) / 1000.0; };
  layout.mapWidth = micrometres((xMax - xMin) / metresPerMm + 2.0 * reach);
  layout.mapHeight = micrometres((yMax - yMin) / metresPerMm + 2.0 * reach);
  const double xMid = (xMin + xMax) / 2.0;
  const double yMid = (yMin + yMax) / 2.0;
  layout.xMin = xMid - layout.mapWidth * metresPerMm / 2.0;
  layout.xMax = xMid + layout.mapWidth * metresPerMm / 2.0;
  layout.yMin = yMid - layout.mapHeight * metresPerMm / 2.0;
  layout.yMax = yMid + layout.mapHeight * metresPerMm / 2.0;

  layout.mapX = kPageMargin;
  layout.mapY = kPageMargin + kTitleRoom;
  layout.pageWidth = layout.mapWidth + 2.0 * kPageMargin;
  layout.pageHeight = layout.mapHeight + 2.0 * kPageMargin + kTitleRoom + kNotesRoom;
  return layout;
}

std::string SheetProjectText(const SheetParameters& p, std::string_view sheetName) {
  const CoordinateSystem* system = CoordinateSystemOf(p.CS);
  if (system == nullptr) return {};
  const FrameStyle style = FrameStyleFor(p.MillionSeries, p.MapScale);
  const SheetLayout layout = SheetLayoutOf(p);

  // Drawing order, topmost first: the labels over the frame over the graticule, the reverse of
  // the order the run writes them.
  std::string mapLayers, tree, frameLayers;
  const auto catalogue = LayerCatalogue();
  for (auto at = catalogue.rbegin(); at != catalogue.rend(); ++at) {
    const LayerSpec& layer = *at;
    if (!WritesLayer(style.elements, layer)) continue;
    const EmbeddedStyle embedded = Embedded(LayerStyleText(layer, p));
    mapLayers += FillTemplate(QgisTemplate("maplayer.xml"),
                              {{"GEOMETRY", std::string(GeometryOf(layer))},
                               {"LABELS_ENABLED", embedded.labelsEnabled ? "1" : "0"},
                               {"ID", ProjectLayerId(layer)},
                               {"SOURCE", SourceOf(layer)},
                               {"NAME", std::string(layer.name)},
                               {"LAYER_CRS", LayerCrs(p, *system)},
                               {"STYLE", embedded.body}});
    const TemplateValues values = {{"ID", ProjectLayerId(layer)},
                                   {"NAME", std::string(layer.name)},
                                   {"SOURCE", SourceOf(layer)}};
    tree += FillTemplate(QgisTemplate("layer-tree-layer.xml"), values);
    // The print draws the frame and the sheet's outline whole, over the clipped map.
    if (layer.id != SheetLayer::HypsL && layer.id != SheetLayer::HypsP) {
      frameLayers += FillTemplate(QgisTemplate("layer-set-layer.xml"), values);
    }
  }

  std::string edgeNodes;
  const std::vector<PagePoint> edge = SheetEdgeOnPage(p, layout);
  double left = edge.front().x, top = edge.front().y, right = left, bottom = top;
  for (const PagePoint& q : edge) {
    left = std::min(left, q.x);
    right = std::max(right, q.x);
    top = std::min(top, q.y);
    bottom = std::max(bottom, q.y);
  }
  for (const PagePoint& q : edge) {
    edgeNodes += "          <node x=\"" + Mm(q.x - left) + "\" y=\"" + Mm(q.y - top) + "\"/>\n";
  }

  const std::string title = XmlEscaped(Cp1251ToUtf8(sheetName));
  const std::string titleText = Refined(p) ? title + XmlEscaped(" (уточнённая трапеция)") : title;
  // «Трапеция 41° 30' – 43° 30' в.д., 54° 00' – 54° 40' с.ш.», the minutes with their hundredths
  // where an edge is not a whole minute.
  constexpr AngleTextForm kLayout = AngleTextForm::kLayout;
  const std::string systemText = Cp1251ToUtf8(system->statement) + "\nТрапеция " +
                                 Cp1251ToUtf8(LongitudeRangeText(p.xFrom, p.xTo, kLayout)) + ", " +
                                 Cp1251ToUtf8(LatitudeRangeText(p.yFrom, p.yTo, kLayout)) +
                                 "\nПечать в поперечной проекции Меркатора, осевой меридиан " +
                                 Cp1251ToUtf8(LongitudeText(layout.centralMeridian, kLayout));
  const double notesY = layout.mapY + layout.mapHeight + 1.5;
  return FillTemplate(QgisTemplate("sheet.qgs"),
                      {{"TITLE", title},
                       {"TITLE_TEXT", titleText},
                       {"SCALE_TEXT", XmlEscaped(ScaleStatement(layout.scale))},
                       {"SYSTEM_TEXT", XmlAttributeText(systemText)},
                       {"MERIDIAN", DecimalText(layout.centralMeridian, 9)},
                       {"PROJECT_CRS", ProjectCrs(p, *system, layout.centralMeridian)},
                       {"ELLIPSOID", "EPSG:" + std::to_string(system->ellipsoidEpsg)},
                       {"LAYER_TREE", tree},
                       {"LAYERS", mapLayers},
                       {"FRAME_LAYER_SET", frameLayers},
                       {"XMIN", Metres(layout.xMin)},
                       {"YMIN", Metres(layout.yMin)},
                       {"XMAX", Metres(layout.xMax)},
                       {"YMAX", Metres(layout.yMax)},
                       {"PAGE_WIDTH", Mm(layout.pageWidth)},
                       {"PAGE_HEIGHT", Mm(layout.pageHeight)},
                       {"PAGE_MARGIN", Mm(kPageMargin)},
                       {"TITLE_HEIGHT", Mm(kTitleRoom - 2.0)},
                       {"NOTES_Y", Mm(notesY)},
                       {"SYSTEM_Y", Mm(notesY + 5.0)},
                       {"EDGE_X", Mm(left)},
                       {"EDGE_Y", Mm(top)},
                       {"EDGE_WIDTH", Mm(right - left)},
                       {"EDGE_HEIGHT", Mm(bottom - top)},
                       {"EDGE_NODES", edgeNodes},
                       {"MAP_X", Mm(layout.mapX)},
                       {"MAP_Y", Mm(layout.mapY)},
                       {"MAP_WIDTH", Mm(layout.mapWidth)},
                       {"MAP_HEIGHT", Mm(layout.mapHeight)}});
}

Outcome WriteSheetProject(const SheetParameters& p, const NamedPath& resultFolder,
                          std::string_view sheetName, FileSets& destination) {
  std::string text = SheetProjectText(p, sheetName);
  if (text.empty()) return Success();
  // Built in place: a set made from a list of files would copy the text.
  FileSet file;
  file.push_back({resultFolder.path / fs::path(kSheetProjectName), std::move(text)});
  destination.push_back(std::move(file));
  return Success();
}

}  // namespace mapbasis
