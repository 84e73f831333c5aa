// Creating a layer: its attribute table with Id and the producer's fields, its shapefile and its
// .PRJ file; the primitives that write into them; closing it again.
#include "shapeout/layer_files.h"

#include <shapefil.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>

#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "shapeout/projection_text.h"

namespace mapbasis {

struct Layer::Files {
  SHPHandle shp = nullptr;
  DBFHandle dbf = nullptr;

  ~Files() { Close(); }
  void Close() {
    if (dbf != nullptr) DBFClose(std::exchange(dbf, nullptr));
    if (shp != nullptr) SHPClose(std::exchange(shp, nullptr));
  }
};

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

Layer::Layer() = default;

Layer::Layer(Layer&& other) noexcept
    : recordCount(std::exchange(other.recordCount, 0)),
      idCount(std::exchange(other.idCount, 0)),
      basePath_(std::exchange(other.basePath_, {})),
      fields_(std::exchange(other.fields_, {})),
      files_(std::move(other.files_)) {}

Layer& Layer::operator=(Layer&& other) noexcept {
  if (this != &other) {
    CLOSENEWSHAPEFILE(*this);
    recordCount = std::exchange(other.recordCount, 0);
    idCount = std::exchange(other.idCount, 0);
    basePath_ = std::exchange(other.basePath_, {});
    fields_ = std::exchange(other.fields_, {});
    files_ = std::move(other.files_);
  }
  return *this;
}

Layer::~Layer() = default;

bool Layer::IsOpen() const { return files_ != nullptr; }

std::int32_t Layer::ShapeType() const {
  if (!IsOpen()) return 0;
  int type = 0;
  SHPGetInfo(files_->shp, nullptr, &type, nullptr, nullptr);
  return type;
}

bool Layer::WriteInteger(int row, int field, std::int32_t value) {
  return IsOpen() && DBFWriteIntegerAttribute(files_->dbf, row, field, value) != 0;
}

bool Layer::WriteDouble(int row, int field, double value) {
  return IsOpen() && DBFWriteDoubleAttribute(files_->dbf, row, field, value) != 0;
}

bool Layer::WriteString(int row, int field, std::string_view value) {
  return IsOpen() &&
         DBFWriteStringAttribute(files_->dbf, row, field, std::string(value).c_str()) != 0;
}

bool Layer::AppendShape(std::int32_t shapeType, std::span<const double> x,
                        std::span<const double> y) {
  if (!IsOpen() || x.size() != y.size() ||
      x.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return false;
  }
  // shapelib would stop the program on a shape of another type than the file's.
  if (ShapeType() != shapeType) return false;

  // Lines and polygons are one part starting at the first vertex; a point has no parts.
  const bool onePart = shapeType != SHPT_POINT;
  const int partStart = 0;
  const int partType = SHPP_RING;
  SHPObject* shape = SHPCreateObject(shapeType, -1, onePart ? 1 : 0, onePart ? &partStart : nullptr,
                                     onePart ? &partType : nullptr, static_cast<int>(x.size()),
                                     x.data(), y.data(), nullptr, nullptr);
  if (shape == nullptr) return false;
  const int appended = SHPWriteObject(files_->shp, -1, shape);
  SHPDestroyObject(shape);
  return appended >= 0;
}

std::int32_t OPENNEWSHAPEFILE(std::int32_t CS, std::int32_t shapeType, std::string_view basePath,
                              std::span<const FieldDef> fields, Layer& layer) {
  layer = Layer{};

  const std::string_view base = TrimTrailingBlanks(basePath);
  if (base.size() > kMaxBasePathLength) return kLayerBasePathTooLong;
  // A blank name would make files named by their extension alone in the current folder.
  if (base.empty() || base.find('\0') != std::string_view::npos) return kLayerTableNotCreated;
  const std::filesystem::path path = PathFromCp1251(base);
  SAHooks hooks = LayerFileHooks();

  auto files = std::make_unique<Layer::Files>();
  files->dbf = DBFCreateLL(ShapelibName(path, ".dbf").c_str(), kCodePage1251, &hooks);
  if (files->dbf == nullptr) return kLayerTableNotCreated;

  // The table is declared in full before anything else is made.
  bool declared = DBFAddField(files->dbf, kIdName, FTInteger, kIdWidth, 0) >= 0;
  for (std::size_t i = 0; declared && i < fields.size(); ++i) {
    declared = AddField(files->dbf, fields[i]);
  }
  if (!declared) return kLayerFieldRefused;

  files->shp = SHPCreateLL(ShapelibName(path, ".shp").c_str(), shapeType, &hooks);
  if (files->shp == nullptr) return kLayerShapefileNotCreated;

  if (!WriteProjectionFile(path, CS)) return kLayerProjectionNotWritten;

  layer.basePath_ = std::string(base);
  layer.fields_.assign(fields.begin(), fields.end());
  layer.files_ = std::move(files);
  return kLayerOpen;
}

void CLOSENEWSHAPEFILE(Layer& layer) { layer.files_.reset(); }

}  // namespace mapbasis
