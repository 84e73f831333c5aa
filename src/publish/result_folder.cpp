#include "publish/result_folder.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/fixed_text.h"
#include "core/messages.h"
#include "platform/files.h"
#include "platform/process.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// The text with the system's own separator wherever it takes another ('/' on Windows), and a
// leading "~" and separator taken for the home folder where a shell would (POSIX).
std::string AsTheSystemReadsIt(std::string_view text) {
  std::string read(text);
  for (char& c : read) {
    if (platform::IsPathSeparator(c)) c = platform::kPathSeparator;
  }
  if (read.size() >= 2 && read[0] == '~' && read[1] == platform::kPathSeparator) {
    if (const auto home = platform::HomeFolder()) {
      if (std::optional<std::string> folder = Cp1251FromPath(*home)) {
        while (!folder->empty() && folder->back() == platform::kPathSeparator) folder->pop_back();
        read.replace(0, 1, *folder);
      }
    }
  }
  return read;
}

// The status of a layer folder that cannot be had.
FolderFault FailureOf(LayerFolder folder) {
  return folder == LayerFolder::kHyps ? FolderFault::kHypsFolder : FolderFault::kFrameFolder;
}

}  // namespace

ResultFolders ResultFoldersOf(std::string_view R) {
  ResultFolders folders;
  folders.given = AsTheSystemReadsIt(TrimTrailingBlanks(R));
  folders.result.path = PathFromCp1251(folders.given);
  // The folder's own name goes without the separator that ends it, unless it is a root ("/",
  // "C:\"), which keeps it in its path and its text.
  std::string_view own = folders.given;
  if (!platform::IsRoot(folders.result.path)) {
    if (!own.empty() && own.back() == platform::kPathSeparator) own.remove_suffix(1);
    if (!folders.result.path.has_filename()) {
      folders.result.path = folders.result.path.parent_path();
    }
  }
  folders.result.text = std::string(own);
  folders.hyps = NamedPathOf(folders.given + std::string(FolderName(LayerFolder::kHyps)));
  folders.frame = NamedPathOf(folders.given + std::string(FolderName(LayerFolder::kFrame)));
  return folders;
}

Outcome CheckLayerPathLengths(const ResultFolders& result) {
  const std::string_view R = result.given;
  for (const LayerSpec& layer : LayerCatalogue()) {
    const std::string_view folder = FolderName(layer.folder);
    const std::size_t length = R.size() + folder.size() + 1 + layer.name.size();
    if (length > kMaxBasePathLength) {
      return Failure(FailureOf(layer.folder),
                     Tr("the result folder \"%1\" is too long for its layers: %2's layer paths "
                        "would be %3 characters, %4 at the most",
                        EchoPath(R), folder, length, kMaxBasePathLength));
    }
  }
  return Success();
}

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
std::error_code TraceAncestry(platform::FileSystem& system, const ResultFolders& folders,
                              Ancestry& ancestry) {
  std::error_code error = system.AbsolutePathOf(folders.result.path, ancestry.folder);
  if (error) return error;
  for (fs::path at = ancestry.folder;;) {
    platform::EntryType type = platform::EntryType::kMissing;
    // A file on the way is found further up.
    if ((error = system.StatusOf(at, type)) && error != std::errc::not_a_directory) return error;
    if (!error && type != platform::EntryType::kMissing) {
      ancestry.above = at;
      return system.FollowedStatusOf(at, ancestry.aboveType);
    }
    ancestry.toMake.push_back(at);
    if (platform::IsRoot(at)) return {};  // a root that is not there
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

Outcome CheckResultFolder(platform::FileSystem& system, const ResultFolders& folders) {
  if (Outcome name = CheckResultFolderName(folders); !name.ok()) return name;
  if (Outcome lengths = CheckLayerPathLengths(folders); !lengths.ok()) return lengths;
  Ancestry ancestry;
  if (const std::error_code error = TraceAncestry(system, folders, ancestry)) {
    return Failure(FolderFault::kResultFolderNotMade, Tr("cannot use the result folder \"%1\": %2",
                                                         Shown(folders), SystemErrorText(error)));
  }
  if (Outcome reachable = Unreachable(folders, ancestry); !reachable.ok()) return reachable;
  if (ancestry.aboveType != platform::EntryType::kFolder) return Success();
  if (const std::error_code error = system.CheckWritableFolder(ancestry.above)) {
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
    (void)system_.RemoveEmptyFolder(*folder);
  }
}

std::error_code MadeFolders::TakeAway(std::filesystem::path& stayed) {
  while (!folders_.empty()) {
    if (std::error_code error = system_.RemoveEmptyFolder(folders_.back())) {
      stayed = folders_.back();
      folders_.clear();  // the folders above it cannot go either
      return error;
    }
    folders_.pop_back();
  }
  return {};
}

Outcome MakeResultFolder(platform::FileSystem& system, const ResultFolders& folders,
                         MadeFolders& made) {
  Ancestry ancestry;
  if (const std::error_code error = TraceAncestry(system, folders, ancestry)) {
    return Failure(
        FolderFault::kResultFolderNotMade,
        Tr("cannot create the result folder \"%1\": %2", Shown(folders), SystemErrorText(error)));
  }
  if (Outcome reachable = Unreachable(folders, ancestry); !reachable.ok()) return reachable;

  // Made from the top down; `made` takes them away again when the run fails. Only an empty folder
  // is removed, so nothing another run put there meanwhile is lost.
  for (auto next = ancestry.toMake.rbegin(); next != ancestry.toMake.rend(); ++next) {
    const std::error_code failed = system.MakeFolder(*next);
    if (!failed) {
      made.Add(*next);
      continue;
    }
    platform::EntryType now = platform::EntryType::kMissing;
    if (platform::IsTaken(failed) && !system.FollowedStatusOf(*next, now) &&
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
