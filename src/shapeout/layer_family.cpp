#include "shapeout/layer_family.h"

#include "core/cp1251.h"
#include "shapeout/layer_files.h"

namespace mapbasis {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string FileNameOf(const std::filesystem::path& path) {
  const std::u8string u8 = path.filename().u8string();
  return std::string(u8.begin(), u8.end());
}

std::optional<std::string_view> FamilyExtensionOf(std::string_view fileName,
                                                  std::string_view layer) {
  const std::string lowerName = LowerAscii(fileName);
  const std::string lowerLayer = LowerAscii(layer);
  if (!std::string_view(lowerName).starts_with(lowerLayer)) return std::nullopt;
  const std::string_view extension = std::string_view(lowerName).substr(lowerLayer.size());
  for (const std::string_view family : kLayerFamilyExtensions) {
    if (extension == family) return family;
  }
  return std::nullopt;
}

bool IsWrittenName(std::string_view fileName, std::string_view layer) {
  const std::string lowerName = LowerAscii(fileName);
  const auto matches = [&](std::string_view extension) {
    const std::filesystem::path file = PathFromCp1251(std::string(layer) + std::string(extension));
    return lowerName == LowerAscii(FileNameOf(file));
  };
  if (matches(kLayerKeyExtension)) return true;
  for (const std::string_view companion : kLayerCompanionExtensions) {
    if (matches(companion)) return true;
  }
  return false;
}

}  // namespace mapbasis
