#include "support/layer_reader.h"

#include "support/layer_readback.h"

namespace mapbasis::testing {

std::string ReadLayer::Value(std::size_t record, const std::string& field) const {
  if (record >= records.size()) return {};
  for (std::size_t i = 0; i < fieldNames.size(); ++i) {
    if (fieldNames[i] == field) return records[record][i];
  }
  return {};
}

ReadLayer ReadLayerFiles(const std::filesystem::path& base) {
  ReadLayer layer;
  const std::optional<ShapesRead> shapes = ReadShapes(base);
  const std::optional<TableRead> table = ReadTable(base);
  if (!shapes || !table) return layer;
  layer.ok = true;
  layer.shapeType = shapes->type;
  for (const ShapeRead& s : shapes->shapes) {
    layer.shapes.push_back({s.type, static_cast<int>(s.partStarts.size()), s.x, s.y});
  }
  for (const FieldRead& f : table->fields) layer.fieldNames.push_back(f.name);
  for (const auto& raw : table->records) {
    std::vector<std::string> values;
    for (const std::string& value : raw) values.push_back(Trimmed(value));
    layer.records.push_back(std::move(values));
  }
  layer.prj = ReadBytes(base, ".PRJ").value_or(std::string{});
  return layer;
}

}  // namespace mapbasis::testing
