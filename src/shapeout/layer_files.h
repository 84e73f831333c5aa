// Creating and closing a layer: an ESRI shapefile set (.shp, .shx, .dbf) and a .PRJ file holding
// the geographic coordinate system as one line of WKT.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <shapefil.h>

#include "shapeout/attribute_fields.h"

namespace mapbasis {

// shapelib's shape types used by the layers.
inline constexpr std::int32_t kShapePoint = SHPT_POINT;      // 1
inline constexpr std::int32_t kShapeArc = SHPT_ARC;          // 3, polyline
inline constexpr std::int32_t kShapePolygon = SHPT_POLYGON;  // 5

// Status of OPENNEWSHAPEFILE. A caller treats every non-zero status alike: it abandons its layer
// group.
inline constexpr std::int32_t kLayerOpen = 0;
inline constexpr std::int32_t kLayerBasePathTooLong = 120;      // more than 255 characters
inline constexpr std::int32_t kLayerTableNotCreated = 121;      // DBFCreate gave nothing
inline constexpr std::int32_t kLayerFieldRefused = 123;         // DBFAddField refused a field
inline constexpr std::int32_t kLayerShapefileNotCreated = 124;  // SHPCreate gave nothing
inline constexpr std::int32_t kLayerProjectionNotWritten = 125; // the .PRJ could not be written

// The longest base path (cp1251 characters) that a layer may have.
inline constexpr std::size_t kMaxBasePathLength = 255;

// One layer while it is being written: where it lives, its fields, its two shapelib handles and
// the two counters of the writers (record number and Id, both 0 when the layer is opened). The
// handles belong to the layer: whatever path a producer leaves by, the files are closed.
struct Layer {
  std::string basePath;         // folder + separator + layer name, cp1251; empty when not created
  std::vector<FieldDef> fields;  // the producer's fields, without Id
  SHPHandle shp = nullptr;
  DBFHandle dbf = nullptr;
  std::int32_t recordCount = 0;
  std::int32_t idCount = 0;

  Layer() = default;
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;
  Layer(Layer&& other) noexcept;
  Layer& operator=(Layer&& other) noexcept;
  ~Layer();

  bool IsOpen() const { return shp != nullptr || dbf != nullptr; }
};

// The projection text of a coordinate system (1 СК-42, 2 СК-95, 3 ГСК-2011), without its line
// end; empty for any other code.
std::string_view ProjectionText(std::int32_t CS);

// Creates a layer at basePath (trailing blanks ignored): the table with Id and the given fields
// first, then the shapefile, then the .PRJ file. The attribute table declares code page 1251.
// Returns kLayerOpen or one of the failure statuses above; on failure whatever was opened is
// closed again (the files already made stay) and the layer is left not open. A field is refused
// when shapelib refuses it (a width below 1) and also when shapelib would alter it: a name longer
// than 10 characters or a width above 255. A blank base path gives kLayerTableNotCreated. A layer
// still open in `layer` is closed first.
std::int32_t OPENNEWSHAPEFILE(std::int32_t CS, std::int32_t shapeType, std::string_view basePath,
                              std::span<const FieldDef> fields, Layer& layer);

// Closes the table, then the shapefile. Safe on a layer that is not open.
void CLOSENEWSHAPEFILE(Layer& layer);

}  // namespace mapbasis
