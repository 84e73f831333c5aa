// Points, single-part polylines and single-ring polygons, each appended with its record.
#include "shapeout/shape_writers.h"

#include <limits>

namespace mapbasis {

namespace {

// A shape that cannot be appended is refused before its record is written, so that record r and
// shape r stay paired; shapelib would stop the program on a shape of another type than the file's.
bool CanAppend(const Layer& layer, int shapeType, std::span<const double> x,
               std::span<const double> y) {
  if (layer.shp == nullptr || layer.dbf == nullptr) return false;
  if (x.size() != y.size() ||
      x.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return false;
  }
  int fileType = 0;
  SHPGetInfo(layer.shp, nullptr, &fileType, nullptr, nullptr);
  return fileType == shapeType;
}

// Lines and polygons are one part starting at the first vertex; a point has no parts.
std::int32_t WriteShape(Layer& layer, std::string_view attributes, int shapeType,
                        std::span<const double> x, std::span<const double> y) {
  if (!CanAppend(layer, shapeType, x, y)) return kShapeNotWritten;

  ++layer.idCount;
  ++layer.recordCount;
  switch (WRITERECDBF(layer.dbf, layer.recordCount, layer.idCount, attributes, layer.fields)) {
    case kRecordWritten: break;
    case kRecordMalformed: return kShapeMalformedText;
    default: return kShapeValueRefused;
  }

  const bool onePart = shapeType != SHPT_POINT;
  const int partStart = 0;
  const int partType = SHPP_RING;
  SHPObject* shape = SHPCreateObject(shapeType, -1, onePart ? 1 : 0, onePart ? &partStart : nullptr,
                                     onePart ? &partType : nullptr, static_cast<int>(x.size()),
                                     x.data(), y.data(), nullptr, nullptr);
  if (shape == nullptr) return kShapeNotWritten;
  const int appended = SHPWriteObject(layer.shp, -1, shape);
  SHPDestroyObject(shape);
  return appended < 0 ? kShapeNotWritten : kShapeWritten;
}

}  // namespace

std::int32_t WRITEPOINT(Layer& layer, std::string_view attributes, double x, double y) {
  return WriteShape(layer, attributes, SHPT_POINT, {&x, 1}, {&y, 1});
}

std::int32_t WRITESIMPLELINE(Layer& layer, std::string_view attributes, std::span<const double> x,
                             std::span<const double> y) {
  return WriteShape(layer, attributes, SHPT_ARC, x, y);
}

std::int32_t WRITESIMPLEPOLYGON(Layer& layer, std::string_view attributes,
                                std::span<const double> x, std::span<const double> y) {
  return WriteShape(layer, attributes, SHPT_POLYGON, x, y);
}

}  // namespace mapbasis
