// Reads a written layer back through shapelib's readers, file by file, for the tests to compare.
#pragma once

#include <shapefil.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/cp1251.h"

namespace mapbasis::testing {

struct ShapeRead {
  int type = -1;
  std::vector<int> partStarts;
  std::vector<int> partTypes;
  std::vector<double> x, y;
};

struct FieldRead {
  std::string name;
  char nativeType = 0;  // 'C', 'N', ...
  int width = 0;
  int decimals = 0;
};

struct TableRead {
  int languageDriver = -1;  // the LDID byte of the header
  std::vector<FieldRead> fields;
  std::vector<std::vector<std::string>> records;  // each field's raw text, blanks and all
};

struct ShapesRead {
  int type = -1;
  std::vector<ShapeRead> shapes;
};

inline SAHooks ReadbackHooks() {
  SAHooks hooks;
#ifdef _WIN32
  SASetupUtf8Hooks(&hooks);
#else
  SASetupDefaultHooks(&hooks);
#endif
  hooks.Error = [](const char*) {};  // a missing file is an expected answer
  return hooks;
}

// The name of base + extension as shapelib takes it: UTF-8 bytes.
inline std::string Utf8Name(std::filesystem::path base, const char* extension) {
  base += extension;
  const std::u8string name = base.u8string();
  return std::string(name.begin(), name.end());
}

// The table at base + ".dbf", or nothing when shapelib cannot open it.
inline std::optional<TableRead> ReadTable(const std::filesystem::path& base) {
  SAHooks hooks = ReadbackHooks();
  DBFHandle dbf = DBFOpenLL(Utf8Name(base, ".dbf").c_str(), "rb", &hooks);
  if (dbf == nullptr) return std::nullopt;
  TableRead table;
  table.languageDriver = dbf->iLanguageDriver;
  for (int i = 0; i < DBFGetFieldCount(dbf); ++i) {
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    FieldRead field;
    DBFGetFieldInfo(dbf, i, name, &field.width, &field.decimals);
    field.name = name;
    field.nativeType = DBFGetNativeFieldType(dbf, i);
    table.fields.push_back(field);
  }
  for (int r = 0; r < DBFGetRecordCount(dbf); ++r) {
    const char* tuple = DBFReadTuple(dbf, r);
    std::vector<std::string> record;
    std::size_t offset = 1;  // after the deletion flag
    for (const FieldRead& field : table.fields) {
      record.emplace_back(tuple + offset, static_cast<std::size_t>(field.width));
      offset += static_cast<std::size_t>(field.width);
    }
    table.records.push_back(record);
  }
  DBFClose(dbf);
  return table;
}

// The shapes at base + ".shp", or nothing when shapelib cannot open it.
inline std::optional<ShapesRead> ReadShapes(const std::filesystem::path& base) {
  SAHooks hooks = ReadbackHooks();
  SHPHandle shp = SHPOpenLL(Utf8Name(base, ".shp").c_str(), "rb", &hooks);
  if (shp == nullptr) return std::nullopt;
  ShapesRead read;
  int count = 0;
  SHPGetInfo(shp, &count, &read.type, nullptr, nullptr);
  for (int i = 0; i < count; ++i) {
    SHPObject* object = SHPReadObject(shp, i);
    ShapeRead shape;
    shape.type = object->nSHPType;
    shape.partStarts.assign(object->panPartStart, object->panPartStart + object->nParts);
    shape.partTypes.assign(object->panPartType, object->panPartType + object->nParts);
    shape.x.assign(object->padfX, object->padfX + object->nVertices);
    shape.y.assign(object->padfY, object->padfY + object->nVertices);
    SHPDestroyObject(object);
    read.shapes.push_back(shape);
  }
  SHPClose(shp);
  return read;
}

inline std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::optional<std::string> ReadBytes(std::filesystem::path base, const char* extension) {
  base += extension;
  return ReadBytes(base);
}

// The base path of a layer as the system holds it: cp1251 text.
inline std::string BaseText(const std::filesystem::path& base) {
  return Cp1251FromPath(base).value_or(std::string{});
}

// A field's raw text without the blanks around it.
inline std::string Trimmed(const std::string& raw) {
  const auto first = raw.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return raw.substr(first, raw.find_last_not_of(' ') - first + 1);
}

}  // namespace mapbasis::testing
