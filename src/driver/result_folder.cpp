#include "driver/result_folder.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/messages.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

std::size_t NativeLength(std::string_view part) { return PathFromCp1251(part).native().size(); }

// Why the part cannot be a folder's name, or nothing.
std::string Unusable(std::string_view part, bool first) {
  for (const char c : part) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return Tr("holds a control character");
  }
  const platform::NameCheck check = platform::CheckNameCharacters(part, first);
  switch (check.fault) {
    case platform::NameFault::kForbiddenCharacter:
      return Tr("holds the character %1, which no name may hold", std::string(1, check.character));
    case platform::NameFault::kDroppedEnding:
      return Tr("ends with a blank or a dot, which Windows drops");
    case platform::NameFault::kNone: break;
  }
  if (const std::size_t length = NativeLength(part); length > platform::kMaxNameLength) {
    return Tr("is %1 %2 long as the system stores it, %3 at the most", length,
              platform::kNameUnits == "bytes" ? Tr("bytes") : Tr("UTF-16 units"),
              platform::kMaxNameLength);
  }
  return {};
}

}  // namespace

Outcome CheckResultFolderName(const ResultFolders& folders) {
  const std::string_view R = folders.given;
  bool first = true;
  for (std::size_t start = 0; start < R.size();) {
    std::size_t end = R.find(platform::kPathSeparator, start);
    if (end == std::string_view::npos) end = R.size();
    const std::string_view part = R.substr(start, end - start);
    if (!part.empty()) {
      if (const std::string why = Unusable(part, first); !why.empty()) {
        return Failure(FolderFault::kResultFolderMissing,
                       Tr("the result folder \"%1\" cannot be made: its part \"%2\" %3",
                          EchoPath(R), Echo(part), why));
      }
    }
    first = false;
    start = end + 1;
  }
  return Success();
}

Outcome MakeResultFolder(const ResultFolders& folders) {
  const std::string shown = EchoPath(folders.result.text);
  const auto cannotCreate = [&](const std::error_code& error) {
    return Failure(FolderFault::kResultFolderNotMade,
                   Tr("cannot create the result folder \"%1\": %2", shown, SystemErrorText(error)));
  };
  std::error_code error;
  const fs::path folder = fs::absolute(folders.result.path, error);
  if (error) return cannotCreate(error);

  // The folders to make, deepest first: up to the nearest entry that stands there. One whose
  // status cannot be read is left to the making to judge.
  std::vector<fs::path> toMake;
  fs::path above = folder;
  platform::EntryType type = platform::EntryType::kMissing;
  for (;;) {
    if (!platform::StatusOf(above, type) && type != platform::EntryType::kMissing) break;
    toMake.push_back(above);
    if (above == above.parent_path() || !above.has_relative_path()) break;
    above = above.parent_path();
  }
  if (type != platform::EntryType::kMissing) {
    // What stands nearest must be a folder (a link to one counts); a dangling link at the folder's
    // own name is left for the making to refuse.
    platform::EntryType followed = platform::EntryType::kMissing;
    if (const std::error_code failed = platform::FollowedStatusOf(above, followed)) {
      return cannotCreate(failed);
    }
    if (followed != platform::EntryType::kFolder && followed != platform::EntryType::kMissing) {
      if (above == folder)
        return Failure(FolderFault::kResultFolderNotMade,
                       Tr("the result folder \"%1\" exists but is not a folder", shown));
      return cannotCreate(std::make_error_code(std::errc::not_a_directory));
    }
  }

  // Made from the top down; on failure the folders made here go again, deepest first. Only an
  // empty folder is removed, so nothing another run put there meanwhile is lost.
  std::vector<fs::path> made;
  for (auto next = toMake.rbegin(); next != toMake.rend(); ++next) {
    const std::error_code failed = platform::MakeFolder(*next);
    if (!failed) {
      made.push_back(*next);
      continue;
    }
    platform::EntryType now = platform::EntryType::kMissing;
    if (platform::IsTaken(failed) && !platform::FollowedStatusOf(*next, now) &&
        now == platform::EntryType::kFolder) {
      continue;  // made by a run beside this one
    }
    for (auto undo = made.rbegin(); undo != made.rend(); ++undo) {
      (void)platform::RemoveEmptyFolder(*undo);
    }
    return cannotCreate(failed);
  }
  return Success();
}

}  // namespace mapbasis
