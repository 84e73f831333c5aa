#include "dialogs/find_file.h"

#include <optional>
#include <system_error>

#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "core/sheet_parameters.h"
#include "driver/result_folder.h"
#include "platform/files.h"

namespace mapbasis {

namespace {

constexpr auto kNotCp1251 =
    Cp1251("Путь к выбранной папке содержит знаки, которых нет в кодовой странице 1251");
constexpr auto kTooLong = Cp1251("Путь к выбранной папке длиннее 260 знаков");
static_assert(kPathLength == 260, "the message names the length");

constexpr auto kTypedNotCp1251 = Cp1251(
    "Путь к папке содержит знаки, которых нет в кодовой странице 1251 (в поле они видны как «?»)");
constexpr auto kTypedControl = Cp1251("Путь к папке содержит управляющие знаки");
constexpr auto kTypedTooLong = Cp1251("Путь к папке длиннее 260 знаков");
constexpr auto kNotAFolder = Cp1251("Это не папка, а файл: ");
constexpr auto kNotWritable = Cp1251("Программе нельзя записывать в папку ");
constexpr auto kCannotMake = Cp1251("Папку нельзя создать: на пути к ней стоит файл ");

namespace fs = std::filesystem;

FolderSearch Refused(std::string reason) {
  FolderSearch search;
  search.refusal = std::move(reason);
  return search;
}

std::string Shown(const fs::path& path) { return Cp1251FromPath(path).value_or("?"); }

}  // namespace

FolderSearch ChooseResultFolder(DialogToolkit& toolkit,
                                const std::filesystem::path& initialDirectory,
                                std::string_view title) {
  FolderSearch search;
  const std::optional<std::filesystem::path> picked = toolkit.ChooseFolder(initialDirectory, title);
  if (!picked) return search;

  std::optional<std::string> folder = Cp1251FromPath(*picked);
  if (!folder) {
    search.refusal = kNotCp1251;
    return search;
  }
  if (folder->empty() || folder->back() != platform::kPathSeparator)
    *folder += platform::kPathSeparator;
  if (folder->size() > kPathLength) {
    search.refusal = kTooLong;
    return search;
  }
  search.confirmed = true;
  search.folder = std::move(*folder);
  return search;
}

FolderSearch CheckTypedResultFolder(std::string_view typed) {
  const std::string_view text = TrimBlanks(typed);
  if (text.empty()) return {};
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') return Refused(kTypedControl.str());
  }
  // The field shows what cp1251 lacks as question marks, which no usable folder name holds.
  if (text.find('?') != std::string_view::npos) return Refused(kTypedNotCp1251.str());

  std::error_code ec;
  // Read as a batch run reads its Path.
  const ResultFolders read = ResultFoldersOf(std::string(text) + platform::kPathSeparator);
  fs::path folder = fs::absolute(read.result.path, ec);
  if (ec) return Refused(ec.message());
  folder = folder.lexically_normal();
  std::optional<std::string> whole = Cp1251FromPath(folder);
  if (!whole) return Refused(kTypedNotCp1251.str());
  if (whole->empty() || whole->back() != platform::kPathSeparator)
    *whole += platform::kPathSeparator;
  if (whole->size() > kPathLength) return Refused(kTypedTooLong.str());

  // The folder itself, or the nearest folder above it that is there.
  fs::path existing = PathFromCp1251(*whole).parent_path();
  while (!fs::exists(existing, ec) && existing.has_relative_path()) {
    existing = existing.parent_path();
  }
  if (!fs::is_directory(existing, ec)) {
    const bool itself = existing == PathFromCp1251(*whole).parent_path();
    return Refused((itself ? kNotAFolder.str() : kCannotMake.str()) + Shown(existing));
  }
  if (platform::CheckWritableFolder(existing)) return Refused(kNotWritable.str() + Shown(existing));
  // Every check of a run, so that the run never refuses what the field took.
  if (Outcome usable = CheckResultFolder(ResultFoldersOf(*whole)); !usable.ok()) {
    return Refused(std::move(usable.reason));
  }

  FolderSearch search;
  search.confirmed = true;
  search.folder = std::move(*whole);
  return search;
}

}  // namespace mapbasis
