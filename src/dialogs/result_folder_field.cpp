#include "dialogs/result_folder_field.h"

#include <cstdio>
#include <optional>
#include <system_error>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/fixed_text.h"
#include "core/messages.h"
#include "core/sheet_parameters.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "publish/result_folder.h"

namespace mapbasis {

namespace {

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
    search.refusal =
        Tr("The path of the chosen folder holds characters that code page 1251 "
           "lacks; choose a folder whose path has only Russian and Latin letters");
    return search;
  }
  if (folder->empty() || folder->back() != platform::kPathSeparator)
    *folder += platform::kPathSeparator;
  if (folder->size() > kPathLength) {
    search.refusal = Tr("The path of the chosen folder is longer than %1 characters", kPathLength);
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
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') {
      return Refused(Tr("The folder path holds control characters"));
    }
  }

  // Read as a batch run reads its Path.
  const ResultFolders read = ResultFoldersOf(std::string(text) + platform::kPathSeparator);
  fs::path folder;
  if (const std::error_code error = platform::AbsolutePathOf(read.result.path, folder)) {
    return Refused(SystemErrorText(error));
  }
  folder = folder.lexically_normal();
  std::optional<std::string> whole = Cp1251FromPath(folder);
  if (!whole) {
    return Refused(
        Tr("The folder's whole path holds characters that code page 1251 lacks; type "
           "the whole path of a folder whose path has only Russian and Latin letters"));
  }
  if (whole->empty() || whole->back() != platform::kPathSeparator)
    *whole += platform::kPathSeparator;
  if (whole->size() > kPathLength) {
    return Refused(Tr("The folder path is longer than %1 characters", kPathLength));
  }

  // The folder itself, or the nearest folder above it that is there; a file on the way is found
  // further up. A status that cannot be read is not taken for a folder that is missing: the
  // checks of a run below say why, or else the system's error.
  const ResultFolders folders = ResultFoldersOf(*whole);
  fs::path existing = PathFromCp1251(*whole).parent_path();
  platform::EntryType type = platform::EntryType::kMissing;
  std::error_code unknown;
  for (;;) {
    unknown = platform::FollowedStatusOf(existing, type);
    if (unknown == std::errc::not_a_directory) {
      unknown.clear();
      type = platform::EntryType::kMissing;
    }
    if (unknown || type != platform::EntryType::kMissing || platform::IsRoot(existing)) break;
    existing = existing.parent_path();
  }
  if (!unknown && type != platform::EntryType::kFolder) {
    const bool itself = existing == PathFromCp1251(*whole).parent_path();
    return Refused(
        itself ? Tr("This is a file, not a folder: %1", Shown(existing))
               : Tr("The folder cannot be made: a file stands on its path: %1", Shown(existing)));
  }
  if (!unknown && platform::CheckWritableFolder(existing)) {
    return Refused(Tr("The program may not write in the folder %1", Shown(existing)));
  }
  // Every check of a run, so that the run never refuses what the field took.
  platform::NativeFileSystem system;
  if (Outcome usable = CheckResultFolder(system, folders); !usable.ok()) {
    return Refused(std::move(usable.reason));
  }
  if (unknown) {
    return Refused(Tr("cannot use the result folder \"%1\": %2", EchoPath(folders.result.text),
                      SystemErrorText(unknown)));
  }

  FolderSearch search;
  search.confirmed = true;
  search.folder = std::move(*whole);
  return search;
}

std::string RefuseCharacterCp1251Lacks(std::string_view typedUtf8) {
  std::size_t badOffset = 0;
  if (Utf8ToCp1251(typedUtf8, &badOffset)) return {};
  char32_t cp = 0xFFFD;
  cp1251_detail::DecodeUtf8(typedUtf8, badOffset, cp);
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  const std::string before = Utf8ToCp1251Lossy(typedUtf8.substr(0, badOffset));
  if (before.empty()) {
    return Tr(
        "The folder path begins with a character that code page 1251 lacks (%1); choose a "
        "folder whose path has only Russian and Latin letters",
        std::string_view(code));
  }
  return Tr(
      "The folder path holds a character that code page 1251 lacks (%1) after «%2»; choose "
      "a folder whose path has only Russian and Latin letters",
      std::string_view(code), Echo(before));
}

}  // namespace mapbasis
