// Creating a layer: its attribute table with Id and the producer's fields, its shapefile and its
// .PRJ file; the primitives that write into them; closing it again.
//
// shapelib writes the layer's files into memory through our own file hooks. Closing a layer
// publishes its four files whole; a layer that is never closed leaves nothing on disk.
#include "shapeout/layer_files.h"

#include <shapefil.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <limits>
#include <new>
#include <system_error>
#include <utility>

#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "core/messages.h"
#include "platform/process.h"
#include "shapeout/memory_folder.h"
#include "shapeout/table_cells.h"

namespace mapbasis {

struct Layer::Files {
  std::filesystem::path base;  // the layer's files are base + extension
  MemoryFolder memory;
  std::string projection;  // the .PRJ file's bytes
  std::string style;       // the .qml file's bytes, empty for none
  SHPHandle shp = nullptr;
  DBFHandle dbf = nullptr;

  // A field of the table as shapelib declared it: its dBASE type letter, width and decimals, and
  // where its cell lies in a record.
  struct TableField {
    char type = 0;
    int width = 0;
    int decimals = 0;
    int offset = 0;
  };
  std::vector<TableField> tableFields;  // read from the table at the first cell written

  // The record being made, the table's next one: its row and its bytes (the deletion mark, then
  // the cells), laid out here and handed to the table whole (DBFWriteTuple) when another record
  // is begun or the table closes. A cell then costs a copy instead of a call into shapelib that
  // looks the record up and measures the text; the bytes are the same.
  int pendingRow = -1;
  std::string pending;

  ~Files() { (void)CloseHandles(); }
  // The table's field `field`, or nothing when the table has no such field.
  const TableField* TableFieldAt(int field);
  // Lays out the cell of `field` in row `row`: `format` fills exactly the field's width of bytes
  // and says whether the value fitted. A cell of the table's next record goes into the record
  // being made; one of an earlier record through shapelib, which refuses a row beyond the next.
  template <class Format>
  bool PutCell(int row, int field, const TableField& declared, Format format);
  // Hands the record being made to the table; false when the table refuses it.
  bool FlushPending();
  // Writes a number into a numeric field as shapelib's DBFWriteDoubleAttribute would (its
  // DBFWriteIntegerAttribute writes the integer as a double); `integral` when the number is a
  // 32-bit integer. False, writing nothing, for a field of another kind.
  bool WriteNumber(int row, int field, double value, bool integral);
  // shapelib completes the headers of both files when it closes them; false when the last record
  // could not be handed to the table.
  bool CloseHandles() {
    bool flushed = true;
    if (dbf != nullptr) {
      flushed = FlushPending();
      DBFClose(std::exchange(dbf, nullptr));
    }
    if (shp != nullptr) SHPClose(std::exchange(shp, nullptr));
    return flushed;
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

// --- shapelib's file hooks over the layer's memory folder -------------------------------------

// The folder that files opened by name go to: set while shapelib creates a layer's files. Once
// open, a file carries its folder with it.
thread_local MemoryFolder* tOpening = nullptr;

MemoryFolder::Handle& HandleOf(SAFile file) {
  return *reinterpret_cast<MemoryFolder::Handle*>(file);
}

// No hook lets an exception into shapelib, which is C: running out of memory makes the open or
// the write fail, and the layer is not published.
SAFile HookOpen(const char* name, const char* access) {
  if (tOpening == nullptr) return nullptr;
  try {
    return reinterpret_cast<SAFile>(tOpening->Open(name, access));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

SAOffset HookRead(void* out, SAOffset size, SAOffset count, SAFile file) {
  if (size == 0) return 0;
  return MemoryFolder::Read(HandleOf(file), out, size * count) / size;
}

SAOffset HookWrite(void* in, SAOffset size, SAOffset count, SAFile file) {
  if (size == 0) return 0;
  return MemoryFolder::Write(HandleOf(file), in, size * count) / size;
}

SAOffset HookSeek(SAFile file, SAOffset offset, int whence) {
  MemoryFolder::Handle& handle = HandleOf(file);
  const auto signedOffset = static_cast<long long>(static_cast<long>(offset));
  long long position = static_cast<long long>(offset);
  if (whence == SEEK_CUR) position = static_cast<long long>(handle.position) + signedOffset;
  if (whence == SEEK_END) position = static_cast<long long>(handle.bytes->size()) + signedOffset;
  if (position < 0) return static_cast<SAOffset>(-1);
  handle.position = static_cast<std::size_t>(position);
  return 0;
}

SAOffset HookTell(SAFile file) { return HandleOf(file).position; }

int HookFlush(SAFile) { return 0; }

int HookClose(SAFile file) {
  MemoryFolder::Handle& handle = HandleOf(file);
  handle.folder->Close(&handle);
  return 0;
}

int HookRemove(const char* name) {
  try {
    if (tOpening != nullptr) tOpening->Remove(name);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return 0;
}

// shapelib reports its failures on stderr, but a batch run stays silent: every failure comes back
// as a status.
SAHooks MemoryHooks() {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = HookOpen;
  hooks.FRead = HookRead;
  hooks.FWrite = HookWrite;
  hooks.FSeek = HookSeek;
  hooks.FTell = HookTell;
  hooks.FFlush = HookFlush;
  hooks.FClose = HookClose;
  hooks.Remove = HookRemove;
  hooks.Error = [](const char*) {};
  return hooks;
}

// Sets the folder that shapelib's files are opened in for as long as it lives.
class OpeningIn {
 public:
  explicit OpeningIn(MemoryFolder& folder) : previous_(std::exchange(tOpening, &folder)) {}
  ~OpeningIn() { tOpening = previous_; }
  OpeningIn(const OpeningIn&) = delete;
  OpeningIn& operator=(const OpeningIn&) = delete;

 private:
  MemoryFolder* previous_;
};

// ---------------------------------------------------------------------------------------------

std::string FileName(const std::filesystem::path& base, std::string_view extension) {
  const std::u8string utf8 = base.u8string();
  return std::string(utf8.begin(), utf8.end()) + std::string(extension);
}

std::filesystem::path FilePath(const std::filesystem::path& base, std::string_view extension) {
  std::filesystem::path file = base;
  file += extension;
  return file;
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

// The table carries the date it was written on, not shapelib's placeholder.
void StampToday(DBFHandle table) {
  const std::tm local = platform::LocalTime(std::time(nullptr));
  DBFSetLastModifiedDate(table, local.tm_year, local.tm_mon + 1, local.tm_mday);
}

// The dBASE types that hold a number; shapelib prints numbers into each of them alike.
bool IsNumericField(char type) { return type == 'N' || type == 'F' || type == 'D'; }

// Whether table_cells.h lays out the numbers of the field; shapelib prints those of the others.
bool FormattedHere(int width, int decimals) {
  return width >= 1 && width <= kWidestNumericCell && decimals >= 0 &&
         decimals <= kMostCellDecimals;
}

}  // namespace

std::string LayerFaultText(LayerFault fault) {
  switch (fault) {
    case LayerFault::kBasePathTooLong:
      static_assert(kMaxBasePathLength == 255, "the text names the length");
      return Tr("its path is longer than 255 characters");
    case LayerFault::kTableNotCreated: return Tr("its table could not be made");
    case LayerFault::kFieldRefused: return Tr("a field of its table was refused");
    case LayerFault::kShapefileNotCreated: return Tr("its shapefile could not be made");
    case LayerFault::kFolderMissing: return Tr("its folder is not there");
    case LayerFault::kNotPublished: return Tr("its files could not be put in place");
  }
  return Tr("it could not be made");
}

Layer::Layer() = default;

Layer::Layer(Layer&& other) noexcept
    : recordCount(std::exchange(other.recordCount, 0)),
      idCount(std::exchange(other.idCount, 0)),
      basePath_(std::exchange(other.basePath_, {})),
      fields_(std::exchange(other.fields_, {})),
      files_(std::move(other.files_)),
      destination_(std::exchange(other.destination_, nullptr)) {}

Layer& Layer::operator=(Layer&& other) noexcept {
  if (this != &other) {
    recordCount = std::exchange(other.recordCount, 0);
    idCount = std::exchange(other.idCount, 0);
    basePath_ = std::exchange(other.basePath_, {});
    fields_ = std::exchange(other.fields_, {});
    files_ = std::move(other.files_);
    destination_ = std::exchange(other.destination_, nullptr);
  }
  return *this;
}

Layer::~Layer() = default;

bool Layer::IsOpen() const { return files_ != nullptr; }

void Layer::SetStyle(std::string style) {
  if (IsOpen()) files_->style = std::move(style);
}

std::int32_t Layer::ShapeType() const {
  if (!IsOpen()) return 0;
  int type = 0;
  SHPGetInfo(files_->shp, nullptr, &type, nullptr, nullptr);
  return type;
}

const Layer::Files::TableField* Layer::Files::TableFieldAt(int field) {
  if (tableFields.empty()) {
    const int count = DBFGetFieldCount(dbf);
    tableFields.resize(static_cast<std::size_t>(std::max(count, 0)));
    int offset = 1;  // after the deletion mark
    for (int i = 0; i < count; ++i) {
      TableField& declared = tableFields[static_cast<std::size_t>(i)];
      declared.type = DBFGetNativeFieldType(dbf, i);
      DBFGetFieldInfo(dbf, i, nullptr, &declared.width, &declared.decimals);
      declared.offset = offset;
      offset += declared.width;
    }
  }
  if (field < 0 || static_cast<std::size_t>(field) >= tableFields.size()) return nullptr;
  return &tableFields[static_cast<std::size_t>(field)];
}

bool Layer::Files::FlushPending() {
  if (pendingRow < 0) return true;
  const int row = std::exchange(pendingRow, -1);
  return DBFWriteTuple(dbf, row, pending.data()) != 0;
}

template <class Format>
bool Layer::Files::PutCell(int row, int field, const TableField& declared, Format format) {
  if (row < 0) return false;  // as shapelib refuses it
  if (row != pendingRow) {
    if (!FlushPending()) return false;
    if (row == DBFGetRecordCount(dbf)) {
      // A new record is blank, as shapelib begins one.
      const TableField& last = tableFields.back();
      pending.assign(static_cast<std::size_t>(last.offset + last.width), ' ');
      pendingRow = row;
    }
  }
  const auto width = static_cast<std::size_t>(declared.width);
  if (row == pendingRow) {
    return format(std::span<char>(pending.data() + declared.offset, width));
  }
  char cell[kMaxFieldWidth + 1];
  const bool fitted = format(std::span<char>(cell, width));
  cell[width] = '\0';
  return DBFWriteAttributeDirectly(dbf, row, field, cell) != 0 && fitted;
}

bool Layer::Files::WriteNumber(int row, int field, double value, bool integral) {
  const TableField* declared = TableFieldAt(field);
  if (declared == nullptr || !IsNumericField(declared->type)) return false;
  if (!FormattedHere(declared->width, declared->decimals)) {
    return FlushPending() && DBFWriteDoubleAttribute(dbf, row, field, value) != 0;
  }
  const int decimals = declared->decimals;
  return PutCell(row, field, *declared, [&](std::span<char> text) {
    return integral && decimals == 0 ? FormatIntegerCell(text, static_cast<std::int32_t>(value))
                                     : FormatNumberCell(text, decimals, value);
  });
}

bool Layer::WriteInteger(int row, int field, std::int32_t value) {
  return IsOpen() && files_->WriteNumber(row, field, value, true);
}

bool Layer::WriteDouble(int row, int field, double value) {
  return IsOpen() && files_->WriteNumber(row, field, value, false);
}

bool Layer::WriteString(int row, int field, std::string_view value) {
  // shapelib takes a value up to its first NUL: a value holding one could not be stored whole.
  if (value.find('\0') != std::string_view::npos || !IsOpen()) return false;
  const Files::TableField* declared = files_->TableFieldAt(field);
  if (declared == nullptr || IsNumericField(declared->type)) return false;
  if (declared->type != 'C') {  // a logical field: shapelib takes a leading T or F
    return files_->FlushPending() &&
           DBFWriteStringAttribute(files_->dbf, row, field, std::string(value).c_str()) != 0;
  }
  return files_->PutCell(row, field, *declared,
                         [&](std::span<char> text) { return FormatTextCell(text, value); });
}

bool Layer::AppendShape(std::int32_t shapeType, std::span<const double> x,
                        std::span<const double> y) {
  if (!IsOpen() || x.size() != y.size() ||
      x.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return false;
  }
  // shapelib would stop the program on a shape of another type than the file's.
  if (ShapeType() != shapeType) return false;

  // shapelib would read the vertex of a point that has none.
  if (shapeType == SHPT_POINT && x.empty()) return false;

  // The shape as SHPCreateObject makes it, but over the caller's vertices instead of copies of
  // them (and of zero Z and M values), which SHPWriteObject only reads: no allocation per shape.
  // Lines and polygons are one part starting at the first vertex; a point has no parts.
  const bool onePart = shapeType != SHPT_POINT;
  int partStart = 0;
  int partType = SHPP_RING;
  SHPObject shape{};
  shape.nSHPType = shapeType;
  shape.nShapeId = -1;
  shape.nParts = onePart ? 1 : 0;
  shape.panPartStart = onePart ? &partStart : nullptr;
  shape.panPartType = onePart ? &partType : nullptr;
  shape.nVertices = static_cast<int>(x.size());
  shape.padfX = const_cast<double*>(x.data());
  shape.padfY = const_cast<double*>(y.data());
  if (!x.empty()) {  // the extents as SHPComputeExtents takes them, NaN and all
    shape.dfXMin = shape.dfXMax = x[0];
    shape.dfYMin = shape.dfYMax = y[0];
    for (std::size_t i = 0; i < x.size(); ++i) {
      shape.dfXMin = shape.dfXMin < x[i] ? shape.dfXMin : x[i];
      shape.dfYMin = shape.dfYMin < y[i] ? shape.dfYMin : y[i];
      shape.dfXMax = shape.dfXMax > x[i] ? shape.dfXMax : x[i];
      shape.dfYMax = shape.dfYMax > y[i] ? shape.dfYMax : y[i];
    }
  }
  return SHPWriteObject(files_->shp, -1, &shape) >= 0;
}

Fault OpenLayer(std::int32_t CS, std::int32_t shapeType, std::string_view basePath,
                std::span<const FieldDef> fields, Layer& layer, FileSets& destination) {
  return OpenLayer(CS, shapeType, NamedPathOf(TrimTrailingBlanks(basePath)), fields, layer,
                   destination);
}

Fault OpenLayer(std::int32_t CS, std::int32_t shapeType, const NamedPath& basePath,
                std::span<const FieldDef> fields, Layer& layer, FileSets& destination) {
  layer = Layer{};

  const std::string_view base = basePath.text;
  if (base.size() > kMaxBasePathLength) return LayerFault::kBasePathTooLong;
  // A blank name would make files named by their extension alone in the current folder.
  if (base.empty() || base.find('\0') != std::string_view::npos)
    return LayerFault::kTableNotCreated;

  auto files = std::make_unique<Layer::Files>();
  files->base = basePath.path;
  SAHooks hooks = MemoryHooks();
  const OpeningIn opening(files->memory);

  files->dbf = DBFCreateLL(FileName(files->base, ".dbf").c_str(), kCodePage1251, &hooks);
  if (files->dbf == nullptr) return LayerFault::kTableNotCreated;
  StampToday(files->dbf);

  // The table is declared in full before anything else is made.
  bool declared = DBFAddField(files->dbf, kIdName, FTInteger, kIdWidth, 0) >= 0;
  for (std::size_t i = 0; declared && i < fields.size(); ++i) {
    declared = AddField(files->dbf, fields[i]);
  }
  if (!declared) return LayerFault::kFieldRefused;

  files->shp = SHPCreateLL(FileName(files->base, ".shp").c_str(), shapeType, &hooks);
  if (files->shp == nullptr) return LayerFault::kShapefileNotCreated;

  // The .PRJ file holds the projection text and a CR LF, or nothing for a system without one.
  if (const std::string_view text = ProjectionText(CS); !text.empty()) {
    files->projection = std::string(text) + "\r\n";
  }

  layer.basePath_ = std::string(base);
  layer.fields_.assign(fields.begin(), fields.end());
  layer.files_ = std::move(files);
  layer.destination_ = &destination;
  return {};
}

Outcome CloseLayer(Layer& layer) {
  if (!layer.IsOpen()) return Success();
  const std::unique_ptr<Layer::Files> files = std::move(layer.files_);
  FileSets* const destination = std::exchange(layer.destination_, nullptr);
  const bool flushed = files->CloseHandles();

  if (!flushed || files->memory.Failed()) {
    return Failure(LayerFault::kNotPublished,
                   Tr("the layer \"%1\" could not be held in memory", layer.BasePath()));
  }
  // The companions first, the shape file last (publish/file_replacement.h).
  FileSet set;
  const auto take = [&](std::string_view extension) {
    std::string* bytes = files->memory.Find(FileName(files->base, extension));
    if (bytes == nullptr) return false;
    set.push_back({FilePath(files->base, extension), std::move(*bytes)});
    return true;
  };
  for (const std::string_view extension : kLayerCompanionExtensions) {
    if (extension == kProjectionExtension) {
      set.push_back({FilePath(files->base, extension), std::move(files->projection)});
    } else if (extension == kStyleExtension) {
      if (!files->style.empty())
        set.push_back({FilePath(files->base, extension), std::move(files->style)});
    } else if (!take(extension)) {
      return Failure(LayerFault::kNotPublished,
                     Tr("the layer \"%1\" lost its %2 file", layer.BasePath(), extension));
    }
  }
  if (!take(kLayerKeyExtension)) {
    return Failure(LayerFault::kNotPublished,
                   Tr("the layer \"%1\" lost its %2 file", layer.BasePath(), kLayerKeyExtension));
  }
  destination->push_back(std::move(set));
  return Success();
}

void DiscardLayer(Layer& layer) { layer.files_.reset(); }

}  // namespace mapbasis
