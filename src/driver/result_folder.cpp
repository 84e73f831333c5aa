#include "driver/result_folder.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/messages.h"
#include "driver/output_folders.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

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
    case platform::NameFault::kDeviceName:
      return Tr("is a name that Windows keeps for the device %1", UpperAscii(check.device));
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
  if (platform::kTildeIsHome && R.size() >= 2 && R[0] == '~' && R[1] == platform::kPathSeparator) {
    return Failure(FolderFault::kResultFolderMissing,
                   Tr("the result folder \"%1\" starts with ~, the home folder, whose path is not "
                      "known here or has a character that code page 1251 lacks",
                      EchoPath(R)));
  }
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

namespace {

// The result folder and what stands nearest to it on its way down from the root.
struct Ancestry {
  fs::path folder;                // the result folder, absolute
  std::vector<fs::path> toMake;   // the folders missing on the way, deepest first
  fs::path above;                 // the nearest entry that stands there, empty when none does
  platform::EntryType aboveType;  // what it is, a link followed
};

// Climbs from the result folder towards the root up to the first entry that is there. A status
// that cannot be read is an error, not a missing folder.
std::error_code TraceAncestry(const ResultFolders& folders, Ancestry& ancestry) {
  std::error_code error;
  ancestry.folder = fs::absolute(folders.result.path, error);
  if (error) return error;
  for (fs::path at = ancestry.folder;;) {
    platform::EntryType type = platform::EntryType::kMissing;
    // A file on the way is found further up.
    if ((error = platform::StatusOf(at, type)) && error != std::errc::not_a_directory) return error;
    if (!error && type != platform::EntryType::kMissing) {
      ancestry.above = at;
      return platform::FollowedStatusOf(at, ancestry.aboveType);
    }
    ancestry.toMake.push_back(at);
    if (at == at.parent_path() || !at.has_relative_path()) return {};  // a root that is not there
    at = at.parent_path();
  }
}

std::string Shown(const ResultFolders& folders) { return EchoPath(folders.result.text); }

// Why the result folder can be neither used nor made, seen from its ancestry; empty when it can.
Outcome Unreachable(const ResultFolders& folders, const Ancestry& ancestry) {
  if (ancestry.above.empty()) {
    const fs::path root = ancestry.toMake.empty() ? ancestry.folder : ancestry.toMake.back();
    return Failure(FolderFault::kResultFolderNotMade,
                   Tr("cannot create the result folder \"%1\": there is no drive %2",
                      Shown(folders), QuotedPath(root)));
  }
  // A link to nothing at the folder's own name is left for the making to refuse.
  if (ancestry.aboveType != platform::EntryType::kFolder &&
      ancestry.aboveType != platform::EntryType::kMissing) {
    if (ancestry.above == ancestry.folder) {
      return Failure(FolderFault::kResultFolderNotMade,
                     Tr("the result folder \"%1\" exists but is not a folder", Shown(folders)));
    }
    return Failure(FolderFault::kResultFolderNotMade,
                   Tr("cannot create the result folder \"%1\": %2 is not a folder", Shown(folders),
                      QuotedPath(ancestry.above)));
  }
  return Success();
}

}  // namespace

Outcome CheckResultFolder(const ResultFolders& folders) {
  if (Outcome name = CheckResultFolderName(folders); !name.ok()) return name;
  if (Outcome lengths = CheckLayerPathLengths(folders); !lengths.ok()) return lengths;
  Ancestry ancestry;
  if (const std::error_code error = TraceAncestry(folders, ancestry)) {
    return Failure(FolderFault::kResultFolderNotMade, Tr("cannot use the result folder \"%1\": %2",
                                                         Shown(folders), SystemErrorText(error)));
  }
  if (Outcome reachable = Unreachable(folders, ancestry); !reachable.ok()) return reachable;
  if (ancestry.aboveType != platform::EntryType::kFolder) return Success();
  if (const std::error_code error = platform::CheckWritableFolder(ancestry.above)) {
    if (ancestry.above == ancestry.folder) {
      return Failure(FolderFault::kResultFile, Tr("cannot write in the result folder \"%1\": %2",
                                                  Shown(folders), SystemErrorText(error)));
    }
    return Failure(FolderFault::kResultFolderNotMade,
                   Tr("cannot create the result folder \"%1\" in %2: %3", Shown(folders),
                      QuotedPath(ancestry.above), SystemErrorText(error)));
  }
  return Success();
}

MadeFolders::~MadeFolders() {
  for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
    (void)platform::RemoveEmptyFolder(*folder);
  }
}

Outcome MakeResultFolder(const ResultFolders& folders, MadeFolders& made) {
  Ancestry ancestry;
  if (const std::error_code error = TraceAncestry(folders, ancestry)) {
    return Failure(
        FolderFault::kResultFolderNotMade,
        Tr("cannot create the result folder \"%1\": %2", Shown(folders), SystemErrorText(error)));
  }
  if (Outcome reachable = Unreachable(folders, ancestry); !reachable.ok()) return reachable;

  // Made from the top down; `made` takes them away again when the run fails. Only an empty folder
  // is removed, so nothing another run put there meanwhile is lost.
  for (auto next = ancestry.toMake.rbegin(); next != ancestry.toMake.rend(); ++next) {
    const std::error_code failed = platform::MakeFolder(*next);
    if (!failed) {
      made.Add(*next);
      continue;
    }
    platform::EntryType now = platform::EntryType::kMissing;
    if (platform::IsTaken(failed) && !platform::FollowedStatusOf(*next, now) &&
        now == platform::EntryType::kFolder) {
      continue;  // made by a run beside this one
    }
    return Failure(
        FolderFault::kResultFolderNotMade,
        Tr("cannot create the result folder \"%1\": %2", Shown(folders), SystemErrorText(failed)));
  }
  return Success();
}

}  // namespace mapbasis
