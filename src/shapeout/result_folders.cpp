#include "shapeout/result_folders.h"

#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "platform/files.h"
#include "platform/process.h"

namespace mapbasis {

std::string_view FolderName(LayerFolder folder) {
  return folder == LayerFolder::kHyps ? "HYPS" : "FRAME";
}

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

}  // namespace

ResultFolders ResultFoldersOf(std::string_view R) {
  ResultFolders folders;
  folders.given = AsTheSystemReadsIt(TrimTrailingBlanks(R));
  folders.result.path = PathFromCp1251(folders.given);
  // The folder's own name goes without the separator that ends it, unless it is a root ("/",
  // "C:\"), which keeps it in its path and its text.
  std::string_view own = folders.given;
  if (folders.result.path.has_relative_path()) {
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

}  // namespace mapbasis
