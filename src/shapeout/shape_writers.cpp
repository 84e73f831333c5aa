// Points, single-part polylines and single-ring polygons, each appended with its record.
#include "shapeout/shape_writers.h"

#include "core/messages.h"
#include "shapeout/record_writer.h"

namespace mapbasis {

std::string ShapeFaultText(ShapeFault fault) {
  switch (fault) {
    case ShapeFault::kValueRefused: return Tr("a value of its record does not fit its field");
    case ShapeFault::kMalformedText:
      return Tr("its attribute text lacks a value or has no number where one goes");
    case ShapeFault::kNotWritten: return Tr("its shape could not be made");
  }
  return Tr("it was refused");
}

namespace {

Fault WriteShape(Layer& layer, std::string_view attributes, std::int32_t shapeType,
                 std::span<const double> x, std::span<const double> y) {
  if (layer.ShapeType() != shapeType || x.size() != y.size()) return ShapeFault::kNotWritten;

  ++layer.idCount;
  ++layer.recordCount;
  if (const Fault record =
          WriteAttributeRecord(layer, layer.recordCount, layer.idCount, attributes)) {
    if (record == RecordFault::kMalformed) return ShapeFault::kMalformedText;
    return ShapeFault::kValueRefused;
  }
  if (!layer.AppendShape(shapeType, x, y)) return ShapeFault::kNotWritten;
  return {};
}

}  // namespace

Fault WritePointShape(Layer& layer, std::string_view attributes, double x, double y) {
  return WriteShape(layer, attributes, kShapePoint, {&x, 1}, {&y, 1});
}

Fault WriteLineShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                     std::span<const double> y) {
  return WriteShape(layer, attributes, kShapeArc, x, y);
}

Fault WritePolygonShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                        std::span<const double> y) {
  return WriteShape(layer, attributes, kShapePolygon, x, y);
}

}  // namespace mapbasis
