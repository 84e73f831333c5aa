#include "shapeout/result_folders.h"

#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "platform/files.h"

namespace mapbasis {

std::string_view FolderName(LayerFolder folder) {
  return folder == LayerFolder::kHyps ? "HYPS" : "FRAME";
}

ResultFolders ResultFoldersOf(std::string_view R) {
  ResultFolders folders;
  folders.given = std::string(TrimTrailingBlanks(R));
  // The folder's own name goes without the separator that ends it, unless the separator is all
  // there is; a root ("/", "C:\") keeps it in the path.
  std::string_view own = folders.given;
  if (own.size() > 1 && own.back() == platform::kPathSeparator) own.remove_suffix(1);
  folders.result.text = std::string(own);
  folders.result.path = PathFromCp1251(folders.given);
  if (!folders.result.path.has_filename() && folders.result.path.has_relative_path()) {
    folders.result.path = folders.result.path.parent_path();
  }
  folders.hyps = NamedPathOf(folders.given + std::string(FolderName(LayerFolder::kHyps)));
  folders.frame = NamedPathOf(folders.given + std::string(FolderName(LayerFolder::kFrame)));
  return folders;
}

}  // namespace mapbasis
