#include "driver/folder_lock.h"

#include <cerrno>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "core/cp1251.h"
#include "core/echo.h"

namespace mapbasis {

namespace {

Outcome Failed(const std::filesystem::path& folder, std::error_code error) {
  const bool missing =
      error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
  return Failure(missing ? kLockFolderMissing : 1, "cannot lock the result folder \"" +
                                                       EchoPath(DisplayPath(folder)) +
                                                       "\": " + error.message());
}

}  // namespace

#ifdef _WIN32

// A folder cannot be locked itself here. The lock is a file in the temporary folder named after
// the folder's identity (volume and file index, so every path naming the folder shares it),
// opened for this run alone and deleted when closed. A second run finds it in use and waits.
FolderLock::~FolderLock() {
  if (handle_ != nullptr) ::CloseHandle(static_cast<HANDLE>(handle_));
}

Outcome FolderLock::Acquire(const std::filesystem::path& folder) {
  const auto lastError = [] {
    return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
  };
  HANDLE dir =
      ::CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (dir == INVALID_HANDLE_VALUE) return Failed(folder, lastError());
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(dir, &info) != 0;
  const std::error_code infoError = lastError();
  ::CloseHandle(dir);
  if (!known) return Failed(folder, infoError);

  wchar_t temporary[MAX_PATH + 1] = {};
  if (::GetTempPathW(MAX_PATH + 1, temporary) == 0) return Failed(folder, lastError());
  wchar_t name[80];
  std::swprintf(name, 80, L"mapbasis-%08lx-%08lx%08lx.lock", info.dwVolumeSerialNumber,
                info.nFileIndexHigh, info.nFileIndexLow);
  const std::wstring lockFile = std::wstring(temporary) + name;
  for (;;) {
    HANDLE file =
        ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = file;
      return Success();
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) {
      return Failed(folder, std::error_code(static_cast<int>(error), std::system_category()));
    }
    ::Sleep(20);  // another run holds the folder
  }
}

#else

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
}

Outcome FolderLock::Acquire(const std::filesystem::path& folder) {
  const auto errnoCode = [](int error) { return std::error_code(error, std::generic_category()); };
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Failed(folder, errnoCode(errno));
  // The lock belongs to the folder itself, so every path that names it shares one lock.
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int error = errno;
    ::close(fd);
    return Failed(folder, errnoCode(error));
  }
  fd_ = fd;
  return Success();
}

#endif

}  // namespace mapbasis
