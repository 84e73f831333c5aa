// A stand-in for the file system that fails on demand, as SQLite's test VFS stands in for the
// system under its pager: every call goes on to the system itself and is counted, and the n-th
// call alone, or every call from the n-th on, fails instead with the error the test chooses,
// without reaching the system. Hooks see each call: before it, a test may plant what a program
// beside the run would, or fail it; after it, look at the folders as a run killed at that instant
// would leave them. Pauses are noted, not waited for.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/file_system.h"

namespace mapbasis::testing {

class FailingFileSystem final : public platform::FileSystem {
 public:
  // One call as the hooks see it: its number (from 1), what it does ("rename", "create", ...),
  // whether it may change what the folders hold, the path it is about (a rename's new name, the
  // file a write goes to), a rename's old name and a write's bytes.
  struct Call {
    std::size_t number = 0;
    std::string_view what;
    bool changes = false;
    const std::filesystem::path* path = nullptr;
    const std::filesystem::path* from = nullptr;
    std::string_view bytes{};
  };

  // The n-th call (from 1; 0 for none) fails with `error`, and when `persistent` every later one.
  void FailAt(std::size_t n, std::error_code error, bool persistent) {
    failAt_ = n;
    error_ = error;
    persistent_ = persistent;
  }

  std::size_t Calls() const { return calls_; }
  // How many calls failed.
  std::size_t Failed() const { return failed_; }
  // Called before each call; an error it gives makes the call fail with it.
  std::function<std::error_code(const Call&)> before;
  // Called after each call with what it ended with.
  std::function<void(const Call&, const std::error_code&)> after;
  std::vector<std::chrono::milliseconds> pauses;

  std::error_code StatusOf(const std::filesystem::path& path, platform::EntryType& type) override;
  std::error_code FollowedStatusOf(const std::filesystem::path& path,
                                   platform::EntryType& type) override;
  std::error_code AbsolutePathOf(const std::filesystem::path& path,
                                 std::filesystem::path& absolute) override;
  std::error_code ListFolder(const std::filesystem::path& folder,
                             std::vector<platform::FolderEntry>& entries) override;
  std::error_code MakeFolder(const std::filesystem::path& folder) override;
  std::error_code RemoveEmptyFolder(const std::filesystem::path& folder) override;
  std::error_code RemoveFile(const std::filesystem::path& file) override;
  std::error_code RenameIntoFreeName(const std::filesystem::path& from,
                                     const std::filesystem::path& to) override;
  std::error_code CheckWritableFolder(const std::filesystem::path& folder) override;
  std::error_code CheckDeletable(const std::filesystem::path& file) override;
  std::error_code Create(platform::NewFile& file, const std::filesystem::path& path) override;
  std::error_code Write(platform::NewFile& file, std::string_view bytes) override;
  std::error_code Close(platform::NewFile& file) override;
  std::error_code Open(platform::InputFile& file, const std::filesystem::path& path) override;
  std::error_code Describe(const platform::InputFile& file, platform::EntryType& type,
                           std::uint64_t& size) override;
  std::error_code Read(platform::InputFile& file, char* into, std::size_t room,
                       std::size_t& count) override;
  std::error_code Lock(platform::FolderLock& lock, const std::filesystem::path& folder) override;
  void Pause(std::chrono::milliseconds pause) override { pauses.push_back(pause); }

 private:
  // Counts the call, shows it to the hook, and makes it fail or lets `step` go on to the system.
  template <class Step>
  std::error_code Pass(Call call, Step step);

  platform::NativeFileSystem system_;
  std::size_t calls_ = 0;
  std::size_t failed_ = 0;
  std::size_t failAt_ = 0;
  std::error_code error_;
  bool persistent_ = false;
  std::filesystem::path created_;  // the file last created, which a write or a close goes to
};

}  // namespace mapbasis::testing
