// The file system as one table of the operations that putting a sheet in place asks of it, as
// SQLite's pager reaches the system only through its VFS: whoever publishes is handed a
// FileSystem and calls nothing else, so that a test can stand between the two and make any call
// fail (tests/support/failing_file_system.h). NativeFileSystem is the system itself, the calls of
// files.h and folder_lock.h; it holds nothing, so any number of threads may share one.
//
// Each operation is the one of files.h or folder_lock.h of that name, with its errors. A file
// made anew, a file read and a folder's lock are objects of the caller's that the table opens,
// uses and closes; each lets go of what it holds without a word when it ends unclosed.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files.h"
#include "platform/folder_lock.h"

namespace mapbasis::platform {

class FileSystem {
 public:
  FileSystem() = default;
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;
  virtual ~FileSystem() = default;

  // What stands at a path, a link as a link (lstat) or followed (stat).
  virtual std::error_code StatusOf(const std::filesystem::path& path, EntryType& type) = 0;
  virtual std::error_code FollowedStatusOf(const std::filesystem::path& path, EntryType& type) = 0;
  virtual std::error_code AbsolutePathOf(const std::filesystem::path& path,
                                         std::filesystem::path& absolute) = 0;
  virtual std::error_code ListFolder(const std::filesystem::path& folder,
                                     std::vector<FolderEntry>& entries) = 0;

  virtual std::error_code MakeFolder(const std::filesystem::path& folder) = 0;
  virtual std::error_code RemoveEmptyFolder(const std::filesystem::path& folder) = 0;
  virtual std::error_code RemoveFile(const std::filesystem::path& file) = 0;
  virtual std::error_code RenameIntoFreeName(const std::filesystem::path& from,
                                             const std::filesystem::path& to) = 0;

  virtual std::error_code CheckWritableFolder(const std::filesystem::path& folder) = 0;
  virtual std::error_code CheckDeletable(const std::filesystem::path& file) = 0;

  // A file made anew (never through a link), written whole, closed.
  virtual std::error_code Create(NewFile& file, const std::filesystem::path& path) = 0;
  virtual std::error_code Write(NewFile& file, std::string_view bytes) = 0;
  virtual std::error_code Close(NewFile& file) = 0;

  // A file read (opened without waiting).
  virtual std::error_code Open(InputFile& file, const std::filesystem::path& path) = 0;
  virtual std::error_code Describe(const InputFile& file, EntryType& type, std::uint64_t& size) = 0;
  virtual std::error_code Read(InputFile& file, char* into, std::size_t room,
                               std::size_t& count) = 0;

  // Waits for the folder's lock; the lock holds it until it ends.
  virtual std::error_code Lock(FolderLock& lock, const std::filesystem::path& folder) = 0;

  // Waits before a step is tried again.
  virtual void Pause(std::chrono::milliseconds pause) = 0;
};

class NativeFileSystem final : public FileSystem {
 public:
  std::error_code StatusOf(const std::filesystem::path& path, EntryType& type) override {
    return platform::StatusOf(path, type);
  }
  std::error_code FollowedStatusOf(const std::filesystem::path& path, EntryType& type) override {
    return platform::FollowedStatusOf(path, type);
  }
  std::error_code AbsolutePathOf(const std::filesystem::path& path,
                                 std::filesystem::path& absolute) override {
    return platform::AbsolutePathOf(path, absolute);
  }
  std::error_code ListFolder(const std::filesystem::path& folder,
                             std::vector<FolderEntry>& entries) override {
    return platform::ListFolder(folder, entries);
  }
  std::error_code MakeFolder(const std::filesystem::path& folder) override {
    return platform::MakeFolder(folder);
  }
  std::error_code RemoveEmptyFolder(const std::filesystem::path& folder) override {
    return platform::RemoveEmptyFolder(folder);
  }
  std::error_code RemoveFile(const std::filesystem::path& file) override {
    return platform::RemoveFile(file);
  }
  std::error_code RenameIntoFreeName(const std::filesystem::path& from,
                                     const std::filesystem::path& to) override {
    return platform::RenameIntoFreeName(from, to);
  }
  std::error_code CheckWritableFolder(const std::filesystem::path& folder) override {
    return platform::CheckWritableFolder(folder);
  }
  std::error_code CheckDeletable(const std::filesystem::path& file) override {
    return platform::CheckDeletable(file);
  }
  std::error_code Create(NewFile& file, const std::filesystem::path& path) override {
    return file.Create(path);
  }
  std::error_code Write(NewFile& file, std::string_view bytes) override {
    return file.Write(bytes);
  }
  std::error_code Close(NewFile& file) override { return file.Close(); }
  std::error_code Open(InputFile& file, const std::filesystem::path& path) override {
    return file.Open(path);
  }
  std::error_code Describe(const InputFile& file, EntryType& type, std::uint64_t& size) override {
    return file.Describe(type, size);
  }
  std::error_code Read(InputFile& file, char* into, std::size_t room, std::size_t& count) override {
    return file.Read(into, room, count);
  }
  std::error_code Lock(FolderLock& lock, const std::filesystem::path& folder) override {
    return lock.Acquire(folder);
  }
  void Pause(std::chrono::milliseconds pause) override;
};

}  // namespace mapbasis::platform
