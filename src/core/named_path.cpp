#include "core/named_path.h"

#include "core/cp1251.h"
#include "platform/files.h"

namespace mapbasis {

NamedPath NamedPathOf(std::string_view text) { return {PathFromCp1251(text), std::string(text)}; }

NamedPath Joined(const NamedPath& folder, std::string_view name) {
  return {folder.path / PathFromCp1251(name),
          folder.text + platform::kPathSeparator + std::string(name)};
}

}  // namespace mapbasis
