// One run at a time in a folder: the lock belongs to the folder itself, so every path that names
// it shares one lock, and it leaves nothing behind in the folder. A second holder waits until the
// first lets go; locks of different folders do not wait for each other.
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
  // folder cannot be locked (std::errc::no_such_file_or_directory or not_a_directory when there
  // is no such folder).
  std::error_code Acquire(const std::filesystem::path& folder);

 private:
  std::intptr_t handle_ = -1;  // what holds the lock: the folder, or on Windows a lock file
};

}  // namespace mapbasis::platform
