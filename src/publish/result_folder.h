// The result folder of a run: read from the text the user gave, checked before anything is
// touched, and made when it is missing, in the batch run, the interactive run and --index alike.
// A folder that cannot be made leaves nothing behind: its name is checked part by part first, and
// the folders above it that were made on the way are taken away again when it fails after all.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/outcome.h"
#include "platform/file_system.h"
#include "publish/folder_fault.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// The folders of the result folder R (cp1251, ending with the separator; trailing blanks are not
// part of it), read as the system reads a path a user writes: on Windows '/' separates as '\'
// does, and elsewhere a leading "~/" is the home folder, as in a shell.
ResultFolders ResultFoldersOf(std::string_view R);

// Whether every part of the result folder's path can be a folder's name here: no longer than a
// name may be (255 bytes as the system stores it), no character a name cannot hold, no name the
// system keeps for a device (Windows: CON, NUL, COM1, aux.txt ...).
// FolderFault::kResultFolderMissing (the result folder cannot exist) and one line naming the part.
Outcome CheckResultFolderName(const ResultFolders& folders);

// Whether every layer of both sub-folders will have a base path short enough (kMaxBasePathLength,
// shapeout/layer_files.h), so that a result folder too long for its layers is refused before
// anything is made. FolderFault::kHypsFolder or kFrameFolder.
Outcome CheckLayerPathLengths(const ResultFolders& folders);

// Every check of the result folder that a run makes before it touches anything, the interactive
// run's folder field at OK as well as a batch run's Path: its name (CheckResultFolderName), its
// layers' path lengths (CheckLayerPathLengths), and that it is a folder the run may write in, or
// that it can be made: the nearest folder above it that is there is one the run may write in (a
// missing drive is named as such). Touches nothing; fails with the fault a run would end with and
// one line saying why.
Outcome CheckResultFolder(platform::FileSystem& system, const ResultFolders& folders);

// The folders a run made, taken away again (deepest first, each only while it is empty) when the
// run ends without putting its sheet in place: a run that fails leaves no folder behind.
class MadeFolders {
 public:
  explicit MadeFolders(platform::FileSystem& system) : system_(system) {}
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;
  ~MadeFolders();  // takes away what is still noted, without a word

  void Add(std::filesystem::path folder) { folders_.push_back(std::move(folder)); }
  const std::vector<std::filesystem::path>& Folders() const { return folders_; }
  // The run has succeeded: the folders stay.
  void Keep() { folders_.clear(); }
  // Takes the folders away now; the system's error for the first that could not be removed (it
  // and the folders above it stay), named in `stayed`.
  std::error_code TakeAway(std::filesystem::path& stayed);

 private:
  platform::FileSystem& system_;
  std::vector<std::filesystem::path> folders_;  // in the order they were made
};

// Makes the result folder with the folders above it that are missing, noting those it made in
// `made`; an existing folder is kept. Its name goes to no command interpreter, so blanks, quotes
// and shell characters are plain parts of it. On failure (FolderFault::kResultFolderNotMade, when
// it cannot be made or something that is not a folder stands at its path, or its drive is not
// there) `made` takes the folders made away again when it ends.
Outcome MakeResultFolder(platform::FileSystem& system, const ResultFolders& folders,
                         MadeFolders& made);

}  // namespace mapbasis
