// The folders of a run, made once from the result folder the user gave: the result folder itself,
// HYPS for the graticule layers and FRAME for the frame layers, each as the file system names it
// and as messages show it. Everything downstream of the parameters takes them from here.
#pragma once

#include <string>
#include <string_view>

#include "core/named_path.h"

namespace mapbasis {

// The sub-folders of a result folder that hold the layers.
enum class LayerFolder { kHyps, kFrame };

// "HYPS", "FRAME".
std::string_view FolderName(LayerFolder folder);

struct ResultFolders {
  std::string given{};  // the result folder as the record holds it, ending with the separator,
                        // read as the system reads it (ResultFoldersOf)
  NamedPath result{};   // the result folder itself, named without the separator that ends it
  NamedPath hyps{};     // given + "HYPS"
  NamedPath frame{};    // given + "FRAME"

  const NamedPath& Of(LayerFolder folder) const {
    return folder == LayerFolder::kHyps ? hyps : frame;
  }
};

// The folders of the result folder R (cp1251, ending with the separator; trailing blanks are not
// part of it), read as the system reads a path a user writes: on Windows '/' separates as '\'
// does, and elsewhere a leading "~/" is the home folder, as in a shell.
ResultFolders ResultFoldersOf(std::string_view R);

}  // namespace mapbasis
