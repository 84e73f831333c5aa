// Reads a written layer back with shapelib's readers: every shape with its vertices, every record
// with its values as text, and the table's field declarations.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mapbasis::testing {

struct ReadShape {
  int type = 0;
  int parts = 0;
  std::vector<int> partTypes;
  std::vector<double> x, y;
};

struct ReadField {
  std::string name;
  int type = 0;  // shapelib's DBFFieldType
  int width = 0;
  int decimals = 0;
};

struct ReadLayer {
  bool ok = false;
  int shapeType = 0;
  std::vector<ReadShape> shapes;
  std::vector<ReadField> fields;
  std::vector<std::vector<std::string>> records;  // raw cp1251 values, trimmed by shapelib
  std::string prj;                                // bytes of the .PRJ file

  // The value of a named field in a record (0-based); empty when either is missing.
  std::string Value(std::size_t record, const std::string& field) const;
};

// `base` is the layer path without extension.
ReadLayer ReadLayerFiles(const std::filesystem::path& base);

}  // namespace mapbasis::testing
