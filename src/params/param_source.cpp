#include "params/param_source.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <iterator>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mapbasis {

namespace {

constexpr std::int32_t kCannotOpen = 2;
constexpr std::int32_t kCannotRead = 3;

Outcome TooLarge() {
  return Failure(kCannotOpen, "the file is larger than 1 MiB, which no parameter file is");
}

}  // namespace

#ifdef _WIN32

Outcome ReadParameterFile(const std::filesystem::path& file, std::string& content) {
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (ec) return Failure(kCannotOpen, "cannot open the file: " + ec.message());
  if (std::filesystem::is_directory(status)) {
    return Failure(kCannotOpen, "cannot open the file: it is a folder");
  }
  if (!std::filesystem::is_regular_file(status)) {
    return Failure(kCannotOpen, "cannot open the file: it is not a regular file");
  }
  if (std::filesystem::file_size(file, ec) > kMaxParameterFileSize) return TooLarge();
  std::ifstream in(file, std::ios::binary);
  if (!in) return Failure(kCannotOpen, "cannot open the file");
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return Failure(kCannotRead, "cannot read the file");
  if (content.size() > kMaxParameterFileSize) return TooLarge();
  return Success();
}

#else

std::string SystemReason(int error) { return std::generic_category().message(error); }

Outcome ReadParameterFile(const std::filesystem::path& file, std::string& content) {
  // Opened without waiting, so that a FIFO with no writer cannot hold the run; then only a
  // regular file is read.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Failure(kCannotOpen, "cannot open the file: " + SystemReason(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};

  struct stat info {};
  if (::fstat(fd, &info) != 0)
    return Failure(kCannotOpen, "cannot open the file: " + SystemReason(errno));
  if (S_ISDIR(info.st_mode)) return Failure(kCannotOpen, "cannot open the file: it is a folder");
  if (!S_ISREG(info.st_mode)) {
    return Failure(kCannotOpen,
                   "cannot open the file: it is not a regular file (a FIFO, device or socket)");
  }
  if (static_cast<std::size_t>(info.st_size) > kMaxParameterFileSize) return TooLarge();

  // Read to the end, never beyond the limit: the file may grow while it is read.
  content.assign(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t filled = 0;
  char extra[4096];
  for (;;) {
    char* into = filled < content.size() ? content.data() + filled : extra;
    const std::size_t room = filled < content.size() ? content.size() - filled : sizeof extra;
    const ssize_t n = ::read(fd, into, room);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Failure(kCannotRead, "cannot read the file: " + SystemReason(errno));
    if (n == 0) break;
    if (into == extra) content.append(extra, static_cast<std::size_t>(n));
    filled += static_cast<std::size_t>(n);
    if (filled > kMaxParameterFileSize) return TooLarge();
  }
  content.resize(filled);
  return Success();
}

#endif

}  // namespace mapbasis
