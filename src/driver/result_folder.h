// The result folder of a run, made when it is missing, in the batch run and the interactive run
// alike. A folder that cannot be made leaves nothing behind: its name is checked part by part
// first, and the folders above it that were made on the way are taken away again when it fails
// after all.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/outcome.h"
#include "driver/folder_fault.h"
#include "shapeout/result_folders.h"

namespace mapbasis {

// Whether every part of the result folder's path can be a folder's name here: no longer than a
// name may be (255 bytes as the system stores it), no character a name cannot hold, no name the
// system keeps for a device (Windows: CON, NUL, COM1, aux.txt ...).
// FolderFault::kResultFolderMissing (the result folder cannot exist) and one line naming the part.
Outcome CheckResultFolderName(const ResultFolders& folders);

// Every check of the result folder that a run makes before it touches anything, the interactive
// run's folder field at OK as well as a batch run's Path: its name (CheckResultFolderName), its
// layers' path lengths (CheckLayerPathLengths), and that it is a folder the run may write in, or
// that it can be made: the nearest folder above it that is there is one the run may write in (a
// missing drive is named as such). Touches nothing; fails with the fault a run would end with and
// one line saying why.
Outcome CheckResultFolder(const ResultFolders& folders);

// The folders a run made, taken away again (deepest first, each only while it is empty) when the
// run ends without putting its sheet in place: a run that fails leaves no folder behind.
class MadeFolders {
 public:
  MadeFolders() = default;
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;
  ~MadeFolders();

  void Add(std::filesystem::path folder) { folders_.push_back(std::move(folder)); }
  const std::vector<std::filesystem::path>& Folders() const { return folders_; }
  // The run has succeeded: the folders stay.
  void Keep() { folders_.clear(); }

 private:
  std::vector<std::filesystem::path> folders_;  // in the order they were made
};

// Makes the result folder with the folders above it that are missing, noting those it made in
// `made`; an existing folder is kept. Its name goes to no command interpreter, so blanks, quotes
// and shell characters are plain parts of it. On failure (FolderFault::kResultFolderNotMade, when
// it cannot be made or something that is not a folder stands at its path, or its drive is not
// there) `made` takes the folders made away again when it ends.
Outcome MakeResultFolder(const ResultFolders& folders, MadeFolders& made);

}  // namespace mapbasis
