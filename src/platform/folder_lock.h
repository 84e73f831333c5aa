// One run at a time in a folder: the lock belongs to the folder itself, so every path that names
// it shares one lock, and it leaves nothing behind in the folder. A second holder waits until the
// first lets go; locks of different folders do not wait for each other. Nothing but another
// holder makes it wait: whatever else keeps the folder from being locked is an error.
#pragma once

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace mapbasis::platform {

class FolderLock {
 public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();  // lets the lock go

  // Waits for the folder's lock and holds it until this object ends; the system's error when the
  // folder cannot be locked.
  std::error_code Acquire(const std::filesystem::path& folder);

 private:
  std::intptr_t handle_ = -1;  // what holds the lock: the folder, or on Windows a lock file
};

// The file that holds the lock of a folder while a run holds it, where the system needs one
// (Windows: a hidden file in the folder, deleted when the run lets go); empty where the folder
// itself is locked (Linux).
std::filesystem::path LockFileOf(const std::filesystem::path& folder);

}  // namespace mapbasis::platform
