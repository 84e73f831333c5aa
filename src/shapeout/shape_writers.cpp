// Points, single-part polylines and single-ring polygons, each appended with its record.
#include "shapeout/shape_writers.h"

#include "shapeout/record_writer.h"

namespace mapbasis {

namespace {

std::int32_t WriteShape(Layer& layer, std::string_view attributes, std::int32_t shapeType,
                        std::span<const double> x, std::span<const double> y) {
  if (layer.ShapeType() != shapeType || x.size() != y.size()) return kShapeNotWritten;

  ++layer.idCount;
  ++layer.recordCount;
  switch (WriteAttributeRecord(layer, layer.recordCount, layer.idCount, attributes)) {
    case kRecordWritten: break;
    case kRecordMalformed: return kShapeMalformedText;
    default: return kShapeValueRefused;
  }
  return layer.AppendShape(shapeType, x, y) ? kShapeWritten : kShapeNotWritten;
}

}  // namespace

std::int32_t WritePointShape(Layer& layer, std::string_view attributes, double x, double y) {
  return WriteShape(layer, attributes, kShapePoint, {&x, 1}, {&y, 1});
}

std::int32_t WriteLineShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                            std::span<const double> y) {
  return WriteShape(layer, attributes, kShapeArc, x, y);
}

std::int32_t WritePolygonShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                               std::span<const double> y) {
  return WriteShape(layer, attributes, kShapePolygon, x, y);
}

}  // namespace mapbasis
