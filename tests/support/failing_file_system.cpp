#include "support/failing_file_system.h"

namespace mapbasis::testing {

template <class Step>
std::error_code FailingFileSystem::Pass(Call call, Step step) {
  call.number = ++calls_;
  std::error_code error = before ? before(call) : std::error_code();
  if (!error && failAt_ != 0 && (calls_ == failAt_ || (persistent_ && calls_ > failAt_))) {
    error = error_;
  }
  if (error) {
    ++failed_;
  } else {
    error = step();
  }
  if (after) after(call, error);
  return error;
}

std::error_code FailingFileSystem::StatusOf(const std::filesystem::path& path,
                                            platform::EntryType& type) {
  return Pass({0, "status", false, &path}, [&] { return system_.StatusOf(path, type); });
}

std::error_code FailingFileSystem::FollowedStatusOf(const std::filesystem::path& path,
                                                    platform::EntryType& type) {
  return Pass({0, "followed status", false, &path},
              [&] { return system_.FollowedStatusOf(path, type); });
}

std::error_code FailingFileSystem::AbsolutePathOf(const std::filesystem::path& path,
                                                  std::filesystem::path& absolute) {
  return Pass({0, "absolute path", false, &path},
              [&] { return system_.AbsolutePathOf(path, absolute); });
}

std::error_code FailingFileSystem::ListFolder(const std::filesystem::path& folder,
                                              std::vector<platform::FolderEntry>& entries) {
  return Pass({0, "list", false, &folder}, [&] { return system_.ListFolder(folder, entries); });
}

std::error_code FailingFileSystem::MakeFolder(const std::filesystem::path& folder) {
  return Pass({0, "make folder", true, &folder}, [&] { return system_.MakeFolder(folder); });
}

std::error_code FailingFileSystem::RemoveEmptyFolder(const std::filesystem::path& folder) {
  return Pass({0, "remove folder", true, &folder},
              [&] { return system_.RemoveEmptyFolder(folder); });
}

std::error_code FailingFileSystem::RemoveFile(const std::filesystem::path& file) {
  return Pass({0, "remove", true, &file}, [&] { return system_.RemoveFile(file); });
}

std::error_code FailingFileSystem::RenameIntoFreeName(const std::filesystem::path& from,
                                                      const std::filesystem::path& to) {
  return Pass({0, "rename", true, &to, &from},
              [&] { return system_.RenameIntoFreeName(from, to); });
}

std::error_code FailingFileSystem::CheckWritableFolder(const std::filesystem::path& folder) {
  return Pass({0, "check writable", false, &folder},
              [&] { return system_.CheckWritableFolder(folder); });
}

std::error_code FailingFileSystem::CheckDeletable(const std::filesystem::path& file) {
  return Pass({0, "check deletable", false, &file}, [&] { return system_.CheckDeletable(file); });
}

std::error_code FailingFileSystem::Create(platform::NewFile& file,
                                          const std::filesystem::path& path) {
  created_ = path;
  return Pass({0, "create", true, &created_}, [&] { return system_.Create(file, path); });
}

std::error_code FailingFileSystem::Write(platform::NewFile& file, std::string_view bytes) {
  return Pass({0, "write", true, &created_, nullptr, bytes},
              [&] { return system_.Write(file, bytes); });
}

std::error_code FailingFileSystem::Close(platform::NewFile& file) {
  return Pass({0, "close", true, &created_}, [&] { return system_.Close(file); });
}

std::error_code FailingFileSystem::Open(platform::InputFile& file,
                                        const std::filesystem::path& path) {
  return Pass({0, "open", false, &path}, [&] { return system_.Open(file, path); });
}

std::error_code FailingFileSystem::Describe(const platform::InputFile& file,
                                            platform::EntryType& type, std::uint64_t& size) {
  return Pass({0, "describe", false, nullptr}, [&] { return system_.Describe(file, type, size); });
}

std::error_code FailingFileSystem::Read(platform::InputFile& file, char* into, std::size_t room,
                                        std::size_t& count) {
  return Pass({0, "read", false, nullptr}, [&] { return system_.Read(file, into, room, count); });
}

std::error_code FailingFileSystem::Lock(platform::FolderLock& lock,
                                        const std::filesystem::path& folder) {
  return Pass({0, "lock", false, &folder}, [&] { return system_.Lock(lock, folder); });
}

}  // namespace mapbasis::testing
