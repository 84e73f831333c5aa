// Whether the files of a written layer agree with each other, read straight from their bytes: the
// length the .shp header states is the file's length and its records run to the end, the .shx
// holds one entry per shape, and the .dbf one record per shape.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace mapbasis::testing {

inline std::optional<std::string> FileBytes(std::filesystem::path base, const char* extension) {
  base += extension;
  std::ifstream in(base, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Empty when the layer is consistent; otherwise what disagrees.
inline std::string LayerInconsistency(const std::filesystem::path& base) {
  const auto shp = FileBytes(base, ".shp");
  const auto shx = FileBytes(base, ".shx");
  const auto dbf = FileBytes(base, ".dbf");
  if (!shp || !shx || !dbf) return "a file of the set is missing";
  const auto big = [](const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(
        static_cast<unsigned char>(b[at]) << 24 | static_cast<unsigned char>(b[at + 1]) << 16 |
        static_cast<unsigned char>(b[at + 2]) << 8 | static_cast<unsigned char>(b[at + 3]));
  };
  const auto little = [](const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(
        static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
        static_cast<unsigned char>(b[at + 2]) << 16 | static_cast<unsigned char>(b[at + 3]) << 24);
  };
  if (shp->size() < 100 || shx->size() < 100 || dbf->size() < 32) return "a header is cut";
  if (big(*shp, 24) * 2u != shp->size()) return ".shp length differs from its header";
  if (big(*shx, 24) * 2u != shx->size()) return ".shx length differs from its header";
  std::uint32_t shapes = 0;
  for (std::size_t at = 100; at < shp->size(); ++shapes) {
    if (at + 8 > shp->size()) return ".shp ends inside a record header";
    at += 8 + big(*shp, at + 4) * 2u;
    if (at > shp->size()) return ".shp ends inside a record";
  }
  if (shx->size() != 100 + 8u * shapes) return ".shx entries differ from the shapes";
  if (little(*dbf, 4) != shapes) return ".dbf records differ from the shapes";
  const std::uint32_t headerLength =
      static_cast<unsigned char>((*dbf)[8]) | static_cast<unsigned char>((*dbf)[9]) << 8;
  const std::uint32_t recordLength =
      static_cast<unsigned char>((*dbf)[10]) | static_cast<unsigned char>((*dbf)[11]) << 8;
  if (dbf->size() < headerLength + std::size_t{recordLength} * shapes) return ".dbf is cut";
  return {};
}

}  // namespace mapbasis::testing
