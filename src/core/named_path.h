// A file or folder of a run as the file system names it and as messages show it, made once from
// the cp1251 text the user gave, so that nothing downstream converts the text again.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mapbasis {

struct NamedPath {
  std::filesystem::path path;
  std::string text;  // cp1251
};

// The path of a cp1251 text.
NamedPath NamedPathOf(std::string_view text);

// The entry `name` (cp1251) of the folder: the folder's text, the separator and the name.
NamedPath Joined(const NamedPath& folder, std::string_view name);

}  // namespace mapbasis
