// Creating and closing a layer: an ESRI shapefile set (.shp, .shx, .dbf) and a .PRJ file holding
// the geographic coordinate system as one line of WKT.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/named_path.h"
#include "core/outcome.h"
#include "shapeout/attribute_fields.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// The shape types of the layers, as the shapefile format numbers them.
inline constexpr std::int32_t kShapePoint = 1;
inline constexpr std::int32_t kShapeArc = 3;  // polyline
inline constexpr std::int32_t kShapePolygon = 5;

// Why a layer could not be opened or closed. A caller treats every failure alike: it abandons
// its layer group.
enum class LayerFault {
  kBasePathTooLong = 120,      // more than kMaxBasePathLength characters
  kTableNotCreated = 121,      // the table could not be made
  kFieldRefused = 123,         // a field was refused
  kShapefileNotCreated = 124,  // the shapefile could not be made
  kFolderMissing = 125,        // the layer's folder is not there, or cannot be asked about
  kNotPublished = 126,         // the files could not be put in place
};

// What failed, in words: "its table could not be made".
std::string LayerFaultText(LayerFault fault);

// The files of a layer on disk, base path + extension. A reader keys a layer on its shape file, so
// it is put in place after its companions, which go in this order. shapelib names the shapefile
// set in lower case; the projection file is ".PRJ".
inline constexpr std::string_view kLayerKeyExtension = ".shp";
inline constexpr std::string_view kProjectionExtension = ".PRJ";
inline constexpr std::string_view kStyleExtension = ".qml";
inline constexpr std::string_view kLayerCompanionExtensions[] = {
    ".dbf", ".shx", kProjectionExtension, kStyleExtension};

// The longest base path (cp1251 characters) that a layer may have.
inline constexpr std::size_t kMaxBasePathLength = 255;

// One layer while it is being written: where it lives, its fields, its open files and the two
// counters of the writers (record number and Id, both 0 when the layer is opened). The files are
// written in memory and reach the disk only when the layer is closed, all four at once; a layer
// that a producer leaves without closing it (after a failure) leaves nothing on disk.
class Layer {
 public:
  Layer();
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;
  Layer(Layer&& other) noexcept;
  Layer& operator=(Layer&& other) noexcept;
  ~Layer();

  bool IsOpen() const;
  // The QGIS style published beside the open layer as <base>.qml; empty for none.
  void SetStyle(std::string style);
  // The shape type of the open layer's shapefile; 0 when the layer is not open.
  std::int32_t ShapeType() const;
  // Folder + separator + layer name, cp1251; empty when the layer was not created.
  const std::string& BasePath() const { return basePath_; }
  // The producer's fields, without Id.
  std::span<const FieldDef> Fields() const { return fields_; }

  // The writers' counters.
  std::int32_t recordCount = 0;
  std::int32_t idCount = 0;

  // The primitives of the record and shape writers. Table rows and fields count from 0 (field 0
  // is Id). A cell is laid out byte for byte as shapelib's DBFWrite*Attribute lays it out
  // (table_cells.h). Each returns false when the value or shape could not be stored: a value too
  // wide for its field (its first characters are stored), a text holding a NUL, a number for a
  // character field or a text for a numeric one, a field the table does not have.
  bool WriteInteger(int row, int field, std::int32_t value);
  bool WriteDouble(int row, int field, double value);
  bool WriteString(int row, int field, std::string_view value);
  // Appends a point (no parts) or a one-part line or polygon; false when the layer holds shapes
  // of another type or is not open.
  bool AppendShape(std::int32_t shapeType, std::span<const double> x, std::span<const double> y);

 private:
  struct Files;
  friend Fault OpenLayer(std::int32_t, std::int32_t, const NamedPath&, std::span<const FieldDef>,
                         Layer&, FileSets&);
  friend Outcome CloseLayer(Layer&);
  friend void DiscardLayer(Layer&);

  std::string basePath_;
  std::vector<FieldDef> fields_;
  std::unique_ptr<Files> files_;
  FileSets* destination_ = nullptr;
};

// Creates a layer at basePath (trailing blanks ignored): the table with Id and the given fields
// first, then the shapefile, then the .PRJ text. The attribute table declares code page 1251 and
// carries today's date. Returns no fault, or the LayerFault that stopped it; on failure
// nothing is left open and nothing is written. A field is refused when shapelib refuses it (a
// width below 1) and also when shapelib would alter it: a name longer than 10 characters or a
// width above 255. A blank base path gives LayerFault::kTableNotCreated. A layer still open in
// `layer` is discarded first.
//
// The layer is written in memory alone: its folder need not be there. `destination` is the
// files of the run that the layer's set joins when it is closed, to be put in place together with
// the rest of them (publish/), all or nothing.
Fault OpenLayer(std::int32_t CS, std::int32_t shapeType, std::string_view basePath,
                std::span<const FieldDef> fields, Layer& layer, FileSets& destination);

// The same at a base path named already (its text without trailing blanks).
Fault OpenLayer(std::int32_t CS, std::int32_t shapeType, const NamedPath& base,
                std::span<const FieldDef> fields, Layer& layer, FileSets& destination);

// Closes the table, then the shapefile, and hands the layer's files, its companions (the .qml
// style among them, when the layer has one) first and its .shp last, to its destination.
// LayerFault::kNotPublished when they could not be held in memory whole. Safe on a layer that is
// not open.
Outcome CloseLayer(Layer& layer);

// Drops an open layer without writing anything.
void DiscardLayer(Layer& layer);

}  // namespace mapbasis
