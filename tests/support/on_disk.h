// The files that a test's layers and project were written into, in memory as a run writes them,
// put on disk as a run puts them: each set in place of the files at its names, all or nothing
// (publish/file_replacement.h).
#pragma once

#include "core/outcome.h"
#include "platform/file_system.h"
#include "publish/file_replacement.h"
#include "shapeout/layer_files.h"
#include "shapeout/sheet_files.h"

namespace mapbasis::testing {

// Puts the sets in place in turn; the first that fails stops it. The files are taken from `files`.
inline Outcome PutOnDisk(FileSets& files) {
  platform::NativeFileSystem system;
  for (const FileSet& set : files) {
    if (Outcome put = PublishFiles(system, set); !put.ok()) return put;
  }
  files.clear();
  return Success();
}

// Closes the layer, whose files join `files`, and puts them on disk: CloseLayer's failure, else
// PutOnDisk's outcome.
inline Outcome CloseOnDisk(Layer& layer, FileSets& files) {
  if (Outcome closed = CloseLayer(layer); !closed.ok()) return closed;
  return PutOnDisk(files);
}

}  // namespace mapbasis::testing
