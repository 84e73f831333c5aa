// One run at a time in a result folder: a run holds the folder's lock from the preparation of its
// sub-folders to its last layer, and a second run on the same folder waits until the first is
// done. Runs on different folders do not wait for each other. The lock leaves nothing behind in
// the folder.
#pragma once

#include <filesystem>

#include "core/outcome.h"

namespace mapbasis {

inline constexpr std::int32_t kLockFolderMissing = 2;

class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  // Waits for the folder's lock and holds it until this object ends. Status 1 and the system's
  // reason when the folder cannot be locked, kLockFolderMissing when there is no such folder.
  Outcome Acquire(const std::filesystem::path& folder);

 private:
#ifdef _WIN32
  void* handle_ = nullptr;  // the lock file's handle
#else
  int fd_ = -1;  // the locked folder
#endif
};

}  // namespace mapbasis
