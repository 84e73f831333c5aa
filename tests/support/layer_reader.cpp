#include "support/layer_reader.h"

#include <fstream>
#include <iterator>

#include <shapefil.h>

namespace mapbasis::testing {

std::string ReadLayer::Value(std::size_t record, const std::string& field) const {
  if (record >= records.size()) return {};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == field) return records[record][i];
  }
  return {};
}

ReadLayer ReadLayerFiles(const std::filesystem::path& base) {
  ReadLayer layer;
  const std::string name = base.string();
  SHPHandle shp = SHPOpen(name.c_str(), "rb");
  DBFHandle dbf = DBFOpen(name.c_str(), "rb");
  if (shp == nullptr || dbf == nullptr) {
    if (shp != nullptr) SHPClose(shp);
    if (dbf != nullptr) DBFClose(dbf);
    return layer;
  }
  int count = 0;
  SHPGetInfo(shp, &count, &layer.shapeType, nullptr, nullptr);
  for (int i = 0; i < count; ++i) {
    SHPObject* object = SHPReadObject(shp, i);
    ReadShape shape;
    if (object != nullptr) {
      shape.type = object->nSHPType;
      shape.parts = object->nParts;
      for (int p = 0; p < object->nParts; ++p) shape.partTypes.push_back(object->panPartType[p]);
      shape.x.assign(object->padfX, object->padfX + object->nVertices);
      shape.y.assign(object->padfY, object->padfY + object->nVertices);
      SHPDestroyObject(object);
    }
    layer.shapes.push_back(std::move(shape));
  }
  for (int f = 0; f < DBFGetFieldCount(dbf); ++f) {
    char fieldName[XBASE_FLDNAME_LEN_READ + 1] = {};
    int width = 0, decimals = 0;
    const DBFFieldType type = DBFGetFieldInfo(dbf, f, fieldName, &width, &decimals);
    layer.fields.push_back({fieldName, static_cast<int>(type), width, decimals});
  }
  for (int r = 0; r < DBFGetRecordCount(dbf); ++r) {
    std::vector<std::string> values;
    for (int f = 0; f < DBFGetFieldCount(dbf); ++f) {
      const char* value = DBFReadStringAttribute(dbf, r, f);
      values.emplace_back(value != nullptr ? value : "");
    }
    layer.records.push_back(std::move(values));
  }
  SHPClose(shp);
  DBFClose(dbf);
  std::ifstream prj(name + ".PRJ", std::ios::binary);
  layer.prj.assign(std::istreambuf_iterator<char>(prj), std::istreambuf_iterator<char>());
  layer.ok = true;
  return layer;
}

}  // namespace mapbasis::testing
