#include "publish/layer_family.h"

#include <type_traits>

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

namespace {

// A name as the system gives it, in UTF-8: its own bytes where it stores UTF-8.
template <class Native>
std::string Utf8Of(const Native& name) {
  if constexpr (std::is_same_v<Native, std::string>) {
    return name;
  } else {
    const std::u8string u8 = std::filesystem::path(name).u8string();
    return std::string(u8.begin(), u8.end());
  }
}

}  // namespace

std::string FileNameOf(const std::filesystem::path& path) {
  // The part after the last separator, found without parsing the path again: folders' listings ask
  // it of every entry.
  using Path = std::filesystem::path;
  const Path::string_type& whole = path.native();
  std::size_t start = whole.size();
  while (start > 0 && whole[start - 1] != '/' && whole[start - 1] != Path::preferred_separator) {
    --start;
  }
  return Utf8Of(whole.substr(start));
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<std::string_view> FamilyExtensionOf(std::string_view fileName,
                                                  std::string_view layer) {
  if (fileName.size() <= layer.size() ||
      !EqualIgnoringAsciiCase(fileName.substr(0, layer.size()), layer)) {
    return std::nullopt;
  }
  const std::string_view extension = fileName.substr(layer.size());
  for (const std::string_view family : kLayerFamilyExtensions) {
    if (EqualIgnoringAsciiCase(extension, family)) return family;
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
