// The platform layer on POSIX systems (Linux): files, folders, the folder lock and the process.
#include <dirent.h>
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/file_system.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/process.h"

namespace mapbasis::platform {

namespace {

std::error_code Errno(int error) { return std::error_code(error, std::generic_category()); }

std::error_code LastErrno() { return Errno(errno); }

EntryType TypeOfMode(mode_t mode) {
  if (S_ISREG(mode)) return EntryType::kFile;
  if (S_ISDIR(mode)) return EntryType::kFolder;
  if (S_ISLNK(mode)) return EntryType::kLink;
  return EntryType::kOther;
}

std::error_code StatusBy(int (*statCall)(const char*, struct stat*), const char* path,
                         EntryType& type) {
  struct stat info {};
  if (statCall(path, &info) == 0) {
    type = TypeOfMode(info.st_mode);
    return {};
  }
  const int error = errno;
  if (error == ENOENT) {
    type = EntryType::kMissing;
    return {};
  }
  return Errno(error);
}

}  // namespace

// --- Names and files ------------------------------------------------------------------------

NameCheck CheckNameCharacters(std::string_view, bool) { return {}; }

bool IsRoot(const std::filesystem::path& path) { return !path.has_relative_path(); }

std::error_code AbsolutePathOf(const std::filesystem::path& path, std::filesystem::path& absolute) {
  std::error_code error;
  absolute = std::filesystem::absolute(path, error);
  return error;
}

std::error_code StatusOf(const std::filesystem::path& path, EntryType& type) {
  return StatusBy(::lstat, path.c_str(), type);
}

std::error_code FollowedStatusOf(const std::filesystem::path& path, EntryType& type) {
  return StatusBy(::stat, path.c_str(), type);
}

bool IsMissing(const std::error_code& error) {
  return error.category() == std::generic_category() && error.value() == ENOENT;
}

bool IsTaken(const std::error_code& error) {
  return error.category() == std::generic_category() && error.value() == EEXIST;
}

// A file open in another program can always be renamed and deleted here.
bool IsOpenElsewhere(const std::error_code&) { return false; }

std::error_code ListFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return LastErrno();
  struct Closer {
    DIR* dir;
    ~Closer() { ::closedir(dir); }
  } closer{dir};
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) return errno == 0 ? std::error_code{} : LastErrno();
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    // Joined as text and parsed once: a listing makes a path of every entry.
    std::string joined = folder.native();
    if (!joined.empty() && joined.back() != '/') joined += '/';
    joined += name;
    FolderEntry found{std::filesystem::path(std::move(joined)), EntryType::kOther};
    switch (entry->d_type) {
      case DT_REG: found.type = EntryType::kFile; break;
      case DT_DIR: found.type = EntryType::kFolder; break;
      case DT_LNK: found.type = EntryType::kLink; break;
      case DT_UNKNOWN:
        // Some file systems leave the type to a status call.
        if (std::error_code error = StatusOf(found.path, found.type)) return error;
        break;
      default: break;
    }
    entries.push_back(std::move(found));
  }
}

std::error_code MakeFolder(const std::filesystem::path& folder) {
  if (::mkdir(folder.c_str(), 0777) == 0) return {};
  return LastErrno();
}

std::error_code RemoveEmptyFolder(const std::filesystem::path& folder) {
  if (::rmdir(folder.c_str()) == 0) return {};
  return LastErrno();
}

std::error_code RemoveFile(const std::filesystem::path& file) {
  if (::unlink(file.c_str()) == 0) return {};
  return LastErrno();
}

std::error_code RenameIntoFreeName(const std::filesystem::path& from,
                                   const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return LastErrno();
  // A file system (or kernel) that cannot rename without replacing: a second name for the file,
  // which is never made over an existing one, then the first name goes.
  if (::link(from.c_str(), to.c_str()) != 0) return LastErrno();
  if (::unlink(from.c_str()) != 0) {
    const int error = errno;
    ::unlink(to.c_str());
    return Errno(error);
  }
  return {};
}

std::error_code CheckWritableFolder(const std::filesystem::path& folder) {
  // The kernel's own judgement for this process: permissions and ACLs, root's rights, a read-only
  // mount (EROFS), an immutable folder (EPERM). Nothing is made to see: an entry made and removed
  // at every run would cost the file system an inode each time, and where it keeps recently freed
  // inodes apart for a while (ext4 without a journal), it makes every later file there cost more.
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK | R_OK, AT_EACCESS) != 0)
    return LastErrno();
  // A file system that keeps no files of its own lets root through the permission bits.
  struct statfs info {};
  if (::statfs(folder.c_str(), &info) != 0) return LastErrno();
  switch (static_cast<unsigned long>(info.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case SELINUX_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case BINFMTFS_MAGIC:
    case NSFS_MAGIC: return Errno(EACCES);
    default: return {};
  }
}

std::error_code CheckDeletable(const std::filesystem::path& file) {
  static const uid_t me = ::geteuid();
  struct statx info {};
  if (::statx(AT_FDCWD, file.c_str(), AT_SYMLINK_NOFOLLOW, STATX_UID, &info) != 0) {
    return errno == ENOENT ? std::error_code{} : LastErrno();
  }
  if ((info.stx_attributes & (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0) return Errno(EPERM);
  // Something mounted at the name can be neither renamed nor deleted.
  if ((info.stx_attributes_mask & info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0) {
    return Errno(EBUSY);
  }
  if (me == 0 || info.stx_uid == me) return {};
  // In a folder with the sticky bit that is not the user's, another user's file stays.
  struct stat folder {};
  if (::stat(file.parent_path().c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX) != 0 &&
      folder.st_uid != me) {
    return Errno(EPERM);
  }
  return {};
}

NewFile::~NewFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::error_code NewFile::Create(const std::filesystem::path& file) {
  // O_EXCL with O_CREAT never follows a link that stands at the name.
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return LastErrno();
  handle_ = fd;
  return {};
}

std::error_code NewFile::Write(std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n =
        ::write(static_cast<int>(handle_), bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return LastErrno();
    if (n == 0) return Errno(EIO);
    written += static_cast<std::size_t>(n);
  }
  return {};
}

std::error_code NewFile::Close() {
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (::close(fd) != 0) return LastErrno();
  return {};
}

InputFile::~InputFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::error_code InputFile::Open(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return LastErrno();
  handle_ = fd;
  return {};
}

std::error_code InputFile::Describe(EntryType& type, std::uint64_t& size) const {
  struct stat info {};
  if (::fstat(static_cast<int>(handle_), &info) != 0) return LastErrno();
  type = TypeOfMode(info.st_mode);
  size = static_cast<std::uint64_t>(info.st_size);
  return {};
}

std::error_code InputFile::Read(char* into, std::size_t room, std::size_t& count) {
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(handle_), into, room);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return LastErrno();
    count = static_cast<std::size_t>(n);
    return {};
  }
}

void NativeFileSystem::Pause(std::chrono::milliseconds pause) {
  std::this_thread::sleep_for(pause);
}

// --- The folder lock --------------------------------------------------------------------------

FolderLock::~FolderLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));  // closing lets the lock go
}

std::filesystem::path LockFileOf(const std::filesystem::path&) { return {}; }

std::error_code FolderLock::Acquire(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LastErrno();
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int error = errno;
    ::close(fd);
    return Errno(error);
  }
  handle_ = fd;
  return {};
}

// --- The process ------------------------------------------------------------------------------

namespace {

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
using ElfHeader = Elf64_Ehdr;
using ElfSegment = Elf64_Phdr;
constexpr unsigned char kElfClass = ELFCLASS64;
#else
using ElfHeader = Elf32_Ehdr;
using ElfSegment = Elf32_Phdr;
constexpr unsigned char kElfClass = ELFCLASS32;
#endif

// Reads `size` bytes at `offset`; false when the file ends before them.
bool ReadAt(int fd, std::uint64_t offset, void* out, std::size_t size) {
  auto* into = static_cast<char*>(out);
  while (size > 0) {
    const ssize_t n = ::pread(fd, into, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    into += n;
    offset += static_cast<std::uint64_t>(n);
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The machine the program itself was built for, from its own header.
int OwnMachine() {
  const int fd = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  ElfHeader header{};
  const bool read = ReadAt(fd, 0, &header, sizeof header);
  ::close(fd);
  return read ? header.e_machine : -1;
}

// Whether the file is a whole shared object of the program's own kind. Mapping a file cut short
// would end the process with SIGBUS when a page beyond its end is touched; a file of another kind
// would be no better. Empty when it is fit to load, else why not.
std::string WhyNotLoadable(const std::filesystem::path& module) {
  const int fd = ::open(module.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::generic_category().message(errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) return std::generic_category().message(errno);
  if (!S_ISREG(info.st_mode)) return "it is not a regular file";
  const auto size = static_cast<std::uint64_t>(info.st_size);

  ElfHeader header{};
  if (!ReadAt(fd, 0, &header, sizeof header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != kElfClass || header.e_type != ET_DYN ||
      header.e_phentsize != sizeof(ElfSegment) || header.e_machine != OwnMachine()) {
    return "it is not a shared library of this program's kind";
  }
  // Every part the loader reads or maps must lie within the file.
  std::uint64_t end = header.e_phoff + std::uint64_t{header.e_phnum} * sizeof(ElfSegment);
  if (header.e_shnum > 0) {
    end = std::max<std::uint64_t>(
        end, header.e_shoff + std::uint64_t{header.e_shnum} * header.e_shentsize);
  }
  for (unsigned i = 0; i < header.e_phnum && end <= size; ++i) {
    ElfSegment segment{};
    if (!ReadAt(fd, header.e_phoff + std::uint64_t{i} * sizeof segment, &segment, sizeof segment)) {
      return "it is cut short";
    }
    end = std::max<std::uint64_t>(end, segment.p_offset + segment.p_filesz);
  }
  if (end > size) {
    return "it is cut short (" + std::to_string(size) + " of at least " + std::to_string(end) +
           " bytes)";
  }
  return {};
}

}  // namespace

std::optional<std::filesystem::path> HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return std::nullopt;
}

std::error_code CurrentFolder(std::filesystem::path& folder) {
  std::error_code error;
  folder = std::filesystem::current_path(error);
  return error;
}

std::error_code ChangeCurrentFolder(const std::filesystem::path& folder) {
  if (::chdir(folder.c_str()) == 0) return {};
  return LastErrno();
}

std::error_code ProgramFolder(std::filesystem::path& folder) {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) folder = program.parent_path();
  return ec;
}

ModuleEntry LoadModuleEntry(const std::filesystem::path& module, const char* name) {
  if (const std::string why = WhyNotLoadable(module); !why.empty()) {
    return {nullptr, module.string() + ": " + why};
  }
  // Never closed: what the module makes lives on, and GUI libraries are not made to be unloaded.
  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return {nullptr, ::dlerror()};
  void* entry = ::dlsym(handle, name);
  if (entry == nullptr) {
    ModuleEntry failed{nullptr, ::dlerror()};
    ::dlclose(handle);
    return failed;
  }
  return {entry, {}};
}

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  ::localtime_r(&moment, &local);
  return local;
}

}  // namespace mapbasis::platform
