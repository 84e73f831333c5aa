#include "dialogs/find_file.h"

#include <optional>

#include "core/cp1251.h"
#include "core/path_separator.h"
#include "core/sheet_parameters.h"

namespace mapbasis {

namespace {

constexpr auto kNotCp1251 =
    Cp1251("Путь к выбранной папке содержит знаки, которых нет в кодовой странице 1251");
constexpr auto kTooLong = Cp1251("Путь к выбранной папке длиннее 260 знаков");
static_assert(kPathLength == 260, "the message names the length");

}  // namespace

FolderSearch FINDFILE(DialogToolkit& toolkit, const std::filesystem::path& initialDirectory,
                      std::string_view title) {
  FolderSearch search;
  const std::optional<std::filesystem::path> picked = toolkit.ChooseFolder(initialDirectory, title);
  if (!picked) return search;

  std::optional<std::string> folder = Cp1251FromPath(*picked);
  if (!folder) {
    search.refusal = kNotCp1251;
    return search;
  }
  if (folder->empty() || folder->back() != kPathSeparator) *folder += kPathSeparator;
  if (folder->size() > kPathLength) {
    search.refusal = kTooLong;
    return search;
  }
  search.confirmed = true;
  search.folder = std::move(*folder);
  return search;
}

}  // namespace mapbasis
