// Putting the files of a run in place of the old ones, all or nothing: when it succeeds, the new
// files stand under their names and the old ones are gone; when it fails, the old files stand
// under their names again, byte for byte, and nothing of the new ones is left.
//
// A set of several files is keyed on its last file, as a shapefile is on its .shp: a reader sees
// the set only through that name. So the key of an old set is the first of its files to go and
// the key of a new set the last to come, and at no instant, even if the process is killed, does a
// key name a set whose other files are missing or of another version.
//
// ReplaceFiles works in four steps:
//   1. Each set's key is written whole into a hidden file of its folder, made anew under a name
//      that nothing takes (never through a link).
//   2. Every old file is moved aside into a hidden name in its own folder, each set's key first.
//   3. Each set's other files are written into their names, which are free now, and its key is
//      renamed into its own (a rename that never replaces, and that costs no more than any rename:
//      a rename over an existing file makes some file systems write the new file out at once).
//      A set is keyed on its key: until that comes, its other files are no set at all. An entry
//      at one of those names was not there when the old files were found (another program made
//      it meanwhile): it is an old file that was not moved aside, and the replacement is refused.
//   4. The old files moved aside, and the leftovers of stopped runs, are removed in one sweep.
// A failure in steps 1 to 3 undoes every step taken, the last first: what was put in place is
// removed (a key before the rest of its set), the old files are moved back (a key after the rest
// of its set), the hidden keys are removed. Each step undone passes back through a state the steps
// forward passed through, so the sets stay whole at every instant of the undoing too. A step of the
// undoing or of the sweep that fails is tried again a few times before it counts as failed.
//
// Every step goes through the platform::FileSystem it is handed, nothing else; the pauses between
// the tries too. Nothing is kept between calls, so threads may replace files in different folders
// at the same time.
//
// The hidden names start with platform::kTemporaryPrefix and name the file they stand for:
// ".mapbasis-HypsA.shp.tmp" for a new key, ".mapbasis-HypsA.shp.old" for an old file moved aside
// (a number before the ending when the name is taken: ".mapbasis-HypsA.shp.2.old"). A reader that
// lists a folder's layers never takes them for layer files. A run that is killed leaves them; the
// next run that succeeds removes them in its sweep (see IsHiddenNameOf).
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/outcome.h"
#include "platform/file_system.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

enum class PublishFault {
  kNotWritten = 1,  // a new file could not be written; everything is as it was
  kOldNotMoved,     // an old file could not be moved aside, or something came to stand at a new
                    // file's name meanwhile; everything is as it was
  kNotPutInPlace,   // a new key could not be put in place; everything is as it was
  kNotUndone,       // after a failure, the old files could not all be put back
  kNotSwept,        // the new files stand, but an old file moved aside could not be removed
};

// What a replacement removes: the old sets, each in the order its files go, its key (or keys, in
// other letter cases) first; and what stopped runs left (hidden files), removed in the sweep.
// Every path lies in an existing folder.
struct OldFiles {
  std::vector<std::vector<std::filesystem::path>> sets;
  std::vector<std::filesystem::path> leftovers;
};

// Whether `fileName` (any letter case) is a hidden name that a run gives the file named `name` for
// a moment, as a new file or as an old one moved aside.
bool IsHiddenNameOf(std::string_view fileName, std::string_view name);

// Replaces the old files by the new sets, in the steps above. On failure the reason names the file
// and the system's reason, e.g. `cannot write "out/HYPS/HypsA.dbf": No space left on device`.
Outcome ReplaceFiles(platform::FileSystem& system, const OldFiles& old,
                     std::span<const FileSet> sets);

// Takes out of both what needs no step: a set whose old set holds exactly its files, under
// exactly its names, as regular files with exactly its bytes (a sheet made again unchanged, the
// same day). Such a set is left as it stands; whatever else differs goes through ReplaceFiles.
void LeaveOutUnchanged(platform::FileSystem& system, OldFiles& old, FileSets& sets);

// Puts one set in place of whatever files stand at its names (a layer written on its own).
Outcome PublishFiles(platform::FileSystem& system, const FileSet& set);

// Why an old file cannot be moved or deleted, for a user to act on: another program holding it
// open gets the advice to close the sheet there and run again.
std::string WhyNotMovable(const std::filesystem::path& file, const std::error_code& error);

}  // namespace mapbasis
