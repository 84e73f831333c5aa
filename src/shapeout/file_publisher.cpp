#include "shapeout/file_publisher.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#error "the Windows file publisher is not written yet"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "core/cp1251.h"
#include "core/echo.h"

namespace mapbasis {

namespace {

constexpr std::int32_t kNotPublished = 1;

std::string Quoted(const std::filesystem::path& path) {
  return "\"" + EchoPath(DisplayPath(path)) + "\"";
}

Outcome SystemFailure(const char* what, const std::filesystem::path& path, int error) {
  return Failure(kNotPublished, std::string(what) + " " + Quoted(path) + ": " +
                                    std::generic_category().message(error));
}

// Creates the temporary file anew and writes the bytes in one go. A stale temporary of an earlier
// run that was stopped half-way (or anything else standing at its name) is removed first.
Outcome WriteTemporary(const std::filesystem::path& temporary, std::string_view bytes) {
  // O_EXCL with O_CREAT never follows a link that stands at the name.
  const auto create = [&] {
    return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  };
  int fd = create();
  if (fd < 0 && errno == EEXIST) {
    if (::unlink(temporary.c_str()) != 0) return SystemFailure("cannot replace", temporary, errno);
    fd = create();
  }
  if (fd < 0) return SystemFailure("cannot create", temporary, errno);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      ::close(fd);
      return SystemFailure("cannot write", temporary, error);
    }
    written += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) return SystemFailure("cannot write", temporary, errno);
  return Success();
}

void RemoveQuietly(const std::filesystem::path& path) { ::unlink(path.c_str()); }

}  // namespace

std::filesystem::path TemporaryNameOf(const std::filesystem::path& path) {
  std::filesystem::path temporary = path;
  temporary.replace_filename(".mapbasis-" + path.filename().string());
  return temporary;
}

Outcome PublishFiles(std::span<const PendingFile> files) {
  std::vector<std::filesystem::path> temporaries;
  const auto removeTemporaries = [&] {
    for (const auto& temporary : temporaries) RemoveQuietly(temporary);
  };
  for (const PendingFile& file : files) {
    temporaries.push_back(TemporaryNameOf(file.path));
    if (Outcome written = WriteTemporary(temporaries.back(), file.bytes); !written.ok()) {
      removeTemporaries();
      return written;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (::rename(temporaries[i].c_str(), files[i].path.c_str()) != 0) {
      const Outcome failed = SystemFailure("cannot put in place", files[i].path, errno);
      // Half a set under the layer's names would read as a layer: none of it stays.
      for (std::size_t j = 0; j < i; ++j) RemoveQuietly(files[j].path);
      removeTemporaries();
      return failed;
    }
  }
  return Success();
}

}  // namespace mapbasis
