#include "publish/publish_sheet.h"

#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <utility>

#include "core/echo.h"
#include "core/messages.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "publish/file_replacement.h"
#include "publish/folder_fault.h"
#include "publish/folder_plan.h"
#include "publish/result_folder.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

Published Refused(Outcome outcome) { return {std::move(outcome), true, false}; }

// How a replacement that failed ends: an old file that could not be moved aside refuses the run
// as the plan would have, with everything as it was.
Published NotReplaced(Outcome outcome) {
  const bool refused = outcome.fault == PublishFault::kOldNotMoved;
  return {std::move(outcome), refused, false};
}

// Why the folder could not be locked (a sheet's result folder, or an index's folder), naming the
// lock's file where it has one (Windows).
Outcome NotLocked(const fs::path& folder, std::string_view shown, const std::error_code& error,
                  bool result) {
  const fs::path lockFile = platform::LockFileOf(folder);
  std::string why;
  if (result) {
    why = lockFile.empty() ? Tr("cannot lock the result folder \"%1\": %2", EchoPath(shown),
                                SystemErrorText(error))
                           : Tr("cannot lock the result folder \"%1\" with %2: %3", EchoPath(shown),
                                QuotedPath(lockFile), SystemErrorText(error));
  } else {
    why = lockFile.empty()
              ? Tr("cannot lock the folder \"%1\": %2", EchoPath(shown), SystemErrorText(error))
              : Tr("cannot lock the folder \"%1\" with %2: %3", EchoPath(shown),
                   QuotedPath(lockFile), SystemErrorText(error));
  }
  return Failure(FolderFault::kResultFolderLocked, std::move(why));
}

// The folders made stay when the files stand (a sweep that failed included); otherwise they go
// again, after the lock has let go of the result folder, and one that cannot go is said.
Published Finish(MadeFolders& made, Published published) {
  if (published.outcome.ok() || published.outcome.fault == PublishFault::kNotSwept) {
    made.Keep();
    return published;
  }
  fs::path stayed;
  if (const std::error_code error = made.TakeAway(stayed)) {
    published.outcome.reason =
        Tr("%1; the folder %2 that the run made could not be removed: %3", published.outcome.reason,
           QuotedPath(stayed), SystemErrorText(error));
    published.refused = false;
  }
  return published;
}

// The sheet under the lock of its result folder.
Published PutSheetInPlace(platform::FileSystem& system, const ResultFolders& folders,
                          std::string_view project, FileSets& files, MadeFolders& made) {
  if (Outcome making = MakeResultFolder(system, folders, made); !making.ok()) {
    return Refused(std::move(making));
  }
  platform::FolderLock lock;
  const fs::path& result = folders.result.path;
  // Only a result folder that is not there goes unlocked: the plan then refuses it.
  if (const std::error_code error = system.Lock(lock, result)) {
    platform::EntryType type = platform::EntryType::kMissing;
    if (system.FollowedStatusOf(result, type) || type != platform::EntryType::kMissing) {
      return Refused(NotLocked(result, folders.given, error, true));
    }
  }
  OutputPlan plan;
  if (Outcome ready = PlanOutputFolders(system, folders, project, plan); !ready.ok()) {
    return Refused(std::move(ready));
  }
  if (Outcome ready = MakeOutputFolders(system, plan, made); !ready.ok()) {
    return Refused(std::move(ready));
  }
  LeaveOutUnchanged(system, plan.old, files);
  if (Outcome placed = ReplaceFiles(system, plan.old, files); !placed.ok()) {
    return NotReplaced(std::move(placed));
  }
  return {Success(), false, plan.oldLayers};
}

// The layer under the lock of its folder.
Published PutLayerInPlace(platform::FileSystem& system, const ResultFolders& folders,
                          std::string_view layer, const Fault& refusal,
                          const std::function<Outcome(FileSets&)>& make, MadeFolders& made) {
  if (Outcome making = MakeResultFolder(system, folders, made); !making.ok()) {
    return Refused(std::move(making));
  }
  platform::FolderLock lock;
  if (const std::error_code error = system.Lock(lock, folders.result.path)) {
    return Refused(NotLocked(folders.result.path, folders.result.text, error, false));
  }
  OldFiles old;
  bool found = false;
  const std::string_view layers[] = {layer};
  if (Outcome usable = PlanLayerFamilies(system, folders.result.path, layers, refusal, old, found);
      !usable.ok()) {
    return Refused(std::move(usable));
  }
  FileSets files;
  if (Outcome written = make(files); !written.ok()) return {std::move(written), false, false};
  LeaveOutUnchanged(system, old, files);
  if (Outcome placed = ReplaceFiles(system, old, files); !placed.ok()) {
    return NotReplaced(std::move(placed));
  }
  return {Success(), false, found};
}

}  // namespace

Published PublishSheet(platform::FileSystem& system, const ResultFolders& folders,
                       std::string_view project, FileSets& files) {
  MadeFolders made(system);
  return Finish(made, PutSheetInPlace(system, folders, project, files, made));
}

Published PublishLayer(platform::FileSystem& system, const ResultFolders& folders,
                       std::string_view layer, const Fault& refusal,
                       const std::function<Outcome(FileSets&)>& make) {
  MadeFolders made(system);
  return Finish(made, PutLayerInPlace(system, folders, layer, refusal, make, made));
}

}  // namespace mapbasis
