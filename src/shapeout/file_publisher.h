// Putting the files of a finished layer in place so that, under its own names, a layer is either
// the complete new one or not there at all.
//
// Each file is first written whole into a temporary file of the target folder, created afresh
// (never through a link that stands there), and only when every file of the set was written and
// closed without error are the temporaries renamed over the final names, one after another in the
// order given. A link standing where a file goes is replaced as a link; its target is never
// opened. When anything fails, the temporaries and whatever of the set was already renamed are
// removed again.
//
// A set of several files is keyed on its last file, as a shapefile is on its .shp: a reader sees
// the set only through that name. So whatever stands at the key's name goes first, the other
// files replace theirs, and the key comes last. At no instant, even if the process is killed, does
// the key name a set whose other files are missing or of another version. A single file simply
// replaces the old one in one step.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>

#include "core/outcome.h"

namespace mapbasis {

enum class PublishFault { kNotPublished = 1 };

struct PendingFile {
  std::filesystem::path path;  // the final name
  std::string_view bytes;      // the whole content
};

// The temporary name of a file while it is written: a hidden name beside it that no reader takes
// for a layer file (".mapbasis-HypsA.shp.tmp").
std::filesystem::path TemporaryNameOf(const std::filesystem::path& path);

// Publishes the files, which all lie in existing folders, the key last. On failure (kNotPublished)
// the reason names the file and the system's reason, e.g. `cannot write "out/HYPS/HypsA.dbf":
// No space left on device`.
Outcome PublishFiles(std::span<const PendingFile> files);

}  // namespace mapbasis
