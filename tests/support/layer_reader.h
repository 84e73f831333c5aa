// A written layer read back in one go: its shapes, its records as trimmed text and its .PRJ bytes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mapbasis::testing {

struct ReadShape {
  int type = 0;
  int parts = 0;
  std::vector<double> x, y;
};

struct ReadLayer {
  bool ok = false;  // both the shapefile and the table could be opened
  int shapeType = 0;
  std::vector<ReadShape> shapes;
  std::vector<std::string> fieldNames;
  std::vector<std::vector<std::string>> records;  // cp1251 values without surrounding blanks
  std::string prj;

  // The value of a named field in a record (0-based); empty when either is missing.
  std::string Value(std::size_t record, const std::string& field) const;
};

// `base` is the layer path without extension.
ReadLayer ReadLayerFiles(const std::filesystem::path& base);

}  // namespace mapbasis::testing
