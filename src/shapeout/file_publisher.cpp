#include "shapeout/file_publisher.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
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

Outcome SystemFailure(const char* what, const std::filesystem::path& path, std::error_code error) {
  return Failure(kNotPublished, std::string(what) + " " + Quoted(path) + ": " + error.message());
}

#ifdef _WIN32

std::error_code LastError() {
  return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
}

// Creates the temporary file anew and writes the bytes in one go. A stale temporary of an earlier
// run that was stopped half-way (or anything else standing at its name) is removed first.
Outcome WriteTemporary(const std::filesystem::path& temporary, std::string_view bytes) {
  // CREATE_NEW never opens what stands at the name, a link included.
  const auto create = [&] {
    return ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE file = create();
  if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS) {
    if (!::DeleteFileW(temporary.c_str()))
      return SystemFailure("cannot replace", temporary, LastError());
    file = create();
  }
  if (file == INVALID_HANDLE_VALUE) return SystemFailure("cannot create", temporary, LastError());
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    DWORD n = 0;
    if (!::WriteFile(file, bytes.data() + written, chunk, &n, nullptr) || n == 0) {
      const std::error_code error = LastError();
      ::CloseHandle(file);
      return SystemFailure("cannot write", temporary, error);
    }
    written += n;
  }
  if (!::CloseHandle(file)) return SystemFailure("cannot write", temporary, LastError());
  return Success();
}

// A replacing rename: an old file, or a link, at the final name is replaced, never opened.
bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::error_code ReplaceError() { return LastError(); }

void RemoveQuietly(const std::filesystem::path& path) { ::DeleteFileW(path.c_str()); }

// Removes what stands at the name; nothing there is no failure.
Outcome RemoveOld(const std::filesystem::path& path) {
  if (::DeleteFileW(path.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) return Success();
  return SystemFailure("cannot delete the old", path, LastError());
}

#else

std::error_code Errno(int error) { return std::error_code(error, std::generic_category()); }

// Creates the temporary file anew and writes the bytes in one go. A stale temporary of an earlier
// run that was stopped half-way (or anything else standing at its name) is removed first.
Outcome WriteTemporary(const std::filesystem::path& temporary, std::string_view bytes) {
  // O_EXCL with O_CREAT never follows a link that stands at the name.
  const auto create = [&] {
    return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  };
  int fd = create();
  if (fd < 0 && errno == EEXIST) {
    if (::unlink(temporary.c_str()) != 0) {
      return SystemFailure("cannot replace", temporary, Errno(errno));
    }
    fd = create();
  }
  if (fd < 0) return SystemFailure("cannot create", temporary, Errno(errno));
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      ::close(fd);
      return SystemFailure("cannot write", temporary, Errno(error));
    }
    written += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) return SystemFailure("cannot write", temporary, Errno(errno));
  return Success();
}

// rename() replaces whatever stands at the final name, a link as a link.
bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

std::error_code ReplaceError() { return Errno(errno); }

void RemoveQuietly(const std::filesystem::path& path) { ::unlink(path.c_str()); }

// Removes what stands at the name, a link as a link; nothing there is no failure.
Outcome RemoveOld(const std::filesystem::path& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return Success();
  return SystemFailure("cannot delete the old", path, Errno(errno));
}

#endif

}  // namespace

std::filesystem::path TemporaryNameOf(const std::filesystem::path& path) {
  std::filesystem::path name = ".mapbasis-";
  name += path.filename();  // joined as the platform's own characters, whatever they are
  // Not named like a layer file: a reader that lists the folder's layers never takes it for one.
  name += ".tmp";
  // Built anew rather than with replace_filename, which can leave the path broken when memory
  // runs out half-way (libstdc++ 12), so that its destructor crashes.
  return path.parent_path() / name;
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
  // The old key goes before any file of the old set is replaced.
  if (files.size() > 1) {
    if (Outcome removed = RemoveOld(files.back().path); !removed.ok()) {
      removeTemporaries();
      return removed;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!Replace(temporaries[i], files[i].path)) {
      const Outcome failed = SystemFailure("cannot put in place", files[i].path, ReplaceError());
      // Half a set under the layer's names would read as a layer: none of it stays.
      for (std::size_t j = 0; j < i; ++j) RemoveQuietly(files[j].path);
      removeTemporaries();
      return failed;
    }
  }
  return Success();
}

}  // namespace mapbasis
