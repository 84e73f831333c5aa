// Creating a layer: its attribute table with Id and the producer's fields, its shapefile and its
// .PRJ file; closing it again.
#include "shapeout/layer_files.h"

#include <filesystem>
#include <fstream>
#include <utility>

#include "driver/cp1251.h"
#include "driver/fixed_text.h"

namespace mapbasis {

namespace {

// dBASE language driver 0xC9: the attribute texts are cp1251, and GIS readers decode them so.
constexpr const char* kCodePage1251 = "LDID/201";

// Every table starts with the record's Id, N(6,0).
constexpr const char* kIdName = "Id";
constexpr int kIdWidth = 6;

// What dBASE can hold; shapelib would silently cut a longer name or narrow a wider field, so the
// layer would not have the field its producer declared.
constexpr std::size_t kMaxFieldNameLength = 10;
constexpr std::int32_t kMaxFieldWidth = 255;

// File names reach shapelib as UTF-8. shapelib reports its failures on stderr, but a batch run
// stays silent: every failure comes back as a status.
SAHooks LayerFileHooks() {
  SAHooks hooks;
#ifdef _WIN32
  SASetupUtf8Hooks(&hooks);
#else
  SASetupDefaultHooks(&hooks);
#endif
  hooks.Error = [](const char*) {};
  return hooks;
}

// shapelib drops whatever looks like an extension from the name it is given; naming the file in
// full keeps a dot in the layer name part of the name.
std::string ShapelibName(const std::filesystem::path& base, const char* extension) {
  const std::u8string utf8 = base.u8string();
  return std::string(utf8.begin(), utf8.end()) + extension;
}

DBFFieldType ShapelibFieldType(std::int32_t type) {
  // A type shapelib does not know declares a numeric field, as shapelib itself does.
  return type >= FTString && type < FTInvalid ? static_cast<DBFFieldType>(type) : FTInvalid;
}

bool AddField(DBFHandle table, const FieldDef& field) {
  const std::string_view name = TrimTrailingBlanks(field.name);
  if (name.size() > kMaxFieldNameLength || field.spec.width > kMaxFieldWidth) return false;
  return DBFAddField(table, std::string(name).c_str(), ShapelibFieldType(field.spec.type),
                     field.spec.width, field.spec.decimals) >= 0;
}

// The .PRJ file holds the projection text and a CR LF, or nothing for a system without one.
bool WriteProjectionFile(std::filesystem::path file, std::int32_t CS) {
  file += ".PRJ";
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  if (const std::string_view text = ProjectionText(CS); !text.empty()) {
    out << text << "\r\n";
  }
  out.close();
  return !out.fail();
}

}  // namespace

Layer::Layer(Layer&& other) noexcept
    : basePath(std::exchange(other.basePath, {})),
      fields(std::exchange(other.fields, {})),
      shp(std::exchange(other.shp, nullptr)),
      dbf(std::exchange(other.dbf, nullptr)),
      recordCount(std::exchange(other.recordCount, 0)),
      idCount(std::exchange(other.idCount, 0)) {}

Layer& Layer::operator=(Layer&& other) noexcept {
  if (this != &other) {
    CLOSENEWSHAPEFILE(*this);
    basePath = std::exchange(other.basePath, {});
    fields = std::exchange(other.fields, {});
    shp = std::exchange(other.shp, nullptr);
    dbf = std::exchange(other.dbf, nullptr);
    recordCount = std::exchange(other.recordCount, 0);
    idCount = std::exchange(other.idCount, 0);
  }
  return *this;
}

Layer::~Layer() { CLOSENEWSHAPEFILE(*this); }

std::int32_t OPENNEWSHAPEFILE(std::int32_t CS, std::int32_t shapeType, std::string_view basePath,
                              std::span<const FieldDef> fields, Layer& layer) {
  layer = Layer{};

  const std::string_view base = TrimTrailingBlanks(basePath);
  if (base.size() > kMaxBasePathLength) return kLayerBasePathTooLong;
  // A blank name would make files named by their extension alone in the current folder.
  if (base.empty() || base.find('\0') != std::string_view::npos) return kLayerTableNotCreated;
  const std::filesystem::path path = PathFromCp1251(base);
  SAHooks hooks = LayerFileHooks();

  DBFHandle table = DBFCreateLL(ShapelibName(path, ".dbf").c_str(), kCodePage1251, &hooks);
  if (table == nullptr) return kLayerTableNotCreated;

  // The table is declared in full before anything else is made.
  bool declared = DBFAddField(table, kIdName, FTInteger, kIdWidth, 0) >= 0;
  for (std::size_t i = 0; declared && i < fields.size(); ++i) declared = AddField(table, fields[i]);
  if (!declared) {
    DBFClose(table);
    return kLayerFieldRefused;
  }

  SHPHandle shapes = SHPCreateLL(ShapelibName(path, ".shp").c_str(), shapeType, &hooks);
  if (shapes == nullptr) {
    DBFClose(table);
    return kLayerShapefileNotCreated;
  }

  if (!WriteProjectionFile(path, CS)) {
    DBFClose(table);
    SHPClose(shapes);
    return kLayerProjectionNotWritten;
  }

  layer.basePath = std::string(base);
  layer.fields.assign(fields.begin(), fields.end());
  layer.shp = shapes;
  layer.dbf = table;
  return kLayerOpen;
}

void CLOSENEWSHAPEFILE(Layer& layer) {
  if (layer.dbf != nullptr) DBFClose(std::exchange(layer.dbf, nullptr));
  if (layer.shp != nullptr) SHPClose(std::exchange(layer.shp, nullptr));
}

}  // namespace mapbasis
