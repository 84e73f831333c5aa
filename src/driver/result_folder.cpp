#include "driver/result_folder.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/fixed_text.h"
#include "driver/output_folders.h"
#include "params/param_file.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

std::size_t NativeLength(std::string_view part) { return PathFromCp1251(part).native().size(); }

// Why the part cannot be a folder's name, or nothing.
std::string Unusable(std::string_view part, bool first) {
  for (const char c : part) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "holds a control character";
  }
  const platform::NameCheck check = platform::CheckNameCharacters(part, first);
  switch (check.fault) {
    case platform::NameFault::kForbiddenCharacter:
      return std::string("holds the character ") + check.character + ", which no name may hold";
    case platform::NameFault::kDroppedEnding:
      return "ends with a blank or a dot, which Windows drops";
    case platform::NameFault::kNone: break;
  }
  if (const std::size_t length = NativeLength(part); length > platform::kMaxNameLength) {
    return "is " + std::to_string(length) + " " + std::string(platform::kNameUnits) +
           " long as the system stores it, " + std::to_string(platform::kMaxNameLength) +
           " at the most";
  }
  return {};
}

}  // namespace

Outcome CheckResultFolderName(std::string_view R) {
  bool first = true;
  for (std::size_t start = 0; start < R.size();) {
    std::size_t end = R.find(platform::kPathSeparator, start);
    if (end == std::string_view::npos) end = R.size();
    const std::string_view part = R.substr(start, end - start);
    if (!part.empty()) {
      if (const std::string why = Unusable(part, first); !why.empty()) {
        return Failure(kResultFolderMissing, "the result folder \"" + EchoPath(R) +
                                                 "\" cannot be made: its part \"" + Echo(part) +
                                                 "\" " + why);
      }
    }
    first = false;
    start = end + 1;
  }
  return Success();
}

Outcome MakeResultFolder(const SheetParameters& p) {
  std::string_view path = TrimTrailingBlanks(p.Path);
  if (path.size() > 1 && path.back() == platform::kPathSeparator) path.remove_suffix(1);
  // The folders that are missing now, deepest first: the ones this run will have made.
  std::vector<fs::path> missing;
  std::error_code ec;
  for (fs::path folder = fs::absolute(PathFromCp1251(path), ec);
       !ec && !folder.empty() && !fs::exists(fs::symlink_status(folder, ec));
       folder = folder.parent_path()) {
    missing.push_back(folder);
    if (folder == folder.parent_path()) break;
  }
  Outcome made = CreateResultFolder(p);
  if (!made.ok()) {
    // Only an empty folder is removed, so nothing another run put there meanwhile is lost.
    for (const fs::path& folder : missing) {
      if (fs::is_directory(fs::symlink_status(folder, ec))) fs::remove(folder, ec);
    }
  }
  return made;
}

}  // namespace mapbasis
