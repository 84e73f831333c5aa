// A sheet's files as a run makes them in memory, and the folders they go to: the result folder
// itself, HYPS for the graticule layers and FRAME for the frame layers, each as the file system
// names it and as messages show it. The layers and the project are written into FileSets; the
// publishing (publish/) puts them in place, all or nothing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/named_path.h"

namespace mapbasis {

// The sub-folders of a result folder that hold the layers.
enum class LayerFolder { kHyps, kFrame };

// "HYPS", "FRAME".
constexpr std::string_view FolderName(LayerFolder folder) {
  return folder == LayerFolder::kHyps ? "HYPS" : "FRAME";
}

struct ResultFolders {
  std::string given{};  // the result folder as the record holds it, ending with the separator,
                        // read as the system reads it (publish/result_folder.h: ResultFoldersOf)
  NamedPath result{};   // the result folder itself, named without the separator that ends it
  NamedPath hyps{};     // given + "HYPS"
  NamedPath frame{};    // given + "FRAME"

  const NamedPath& Of(LayerFolder folder) const {
    return folder == LayerFolder::kHyps ? hyps : frame;
  }
};

// One file of a sheet, whole, in memory.
struct PendingFile {
  std::filesystem::path path;  // the final name
  std::string bytes;           // the whole content
};

// The files of one set in the order they are put in place, its key last: a layer's companions,
// then its .shp, which a reader sees the layer through. A single file is a set of one.
using FileSet = std::vector<PendingFile>;
using FileSets = std::vector<FileSet>;

}  // namespace mapbasis
