#include "driver/folder_lock.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/cp1251.h"
#include "core/echo.h"

namespace mapbasis {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
}

Outcome FolderLock::Acquire(const std::filesystem::path& folder) {
  const auto failed = [&](int error) {
    return Failure(1, "cannot lock the result folder \"" + EchoPath(DisplayPath(folder)) +
                          "\": " + std::generic_category().message(error));
  };
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return failed(errno);
  // The lock belongs to the folder itself, so every path that names it shares one lock.
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int error = errno;
    ::close(fd);
    return failed(error);
  }
  fd_ = fd;
  return Success();
}

}  // namespace mapbasis
