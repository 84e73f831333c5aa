#include "driver/interactive_module.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

namespace mapbasis {

#ifdef _WIN32

#ifdef MAPBASIS_LINKED_DIALOGS
// The Windows dialogs need only the system's libraries: they are linked into the program.
extern "C" InteractiveShell* mapbasis_create_interactive_shell(char* reason, std::size_t size);
#endif

LoadedShell LoadInteractiveShell(const std::filesystem::path&) {
#ifdef MAPBASIS_LINKED_DIALOGS
  char reason[1024] = {};
  if (InteractiveShell* shell = mapbasis_create_interactive_shell(reason, sizeof reason)) {
    return {std::unique_ptr<InteractiveShell>(shell), {}};
  }
  reason[sizeof reason - 1] = '\0';
  return {nullptr, reason[0] != '\0' ? reason : "the dialogs could not be started"};
#else
  return {nullptr, "the dialogs are not part of this build; give the path of a parameter file"};
#endif
}

LoadedShell LoadInteractiveShell() { return LoadInteractiveShell({}); }

#else

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

LoadedShell LoadInteractiveShell(const std::filesystem::path& module) {
  if (const std::string why = WhyNotLoadable(module); !why.empty()) {
    return {nullptr, "cannot load the dialogs: " + module.string() + ": " + why};
  }
  // Never closed: the shell it makes lives on, and GUI libraries are not made to be unloaded.
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return {nullptr, std::string("cannot load the dialogs: ") + dlerror()};
  void* symbol = dlsym(handle, kInteractiveShellFactory);
  if (symbol == nullptr) {
    LoadedShell failed{nullptr, std::string("cannot load the dialogs: ") + dlerror()};
    dlclose(handle);
    return failed;
  }
  InteractiveShellFactory factory = nullptr;
  static_assert(sizeof factory == sizeof symbol);
  std::memcpy(&factory, &symbol, sizeof factory);

  char reason[1024] = {};
  InteractiveShell* shell = factory(reason, sizeof reason);
  if (shell == nullptr) {
    reason[sizeof reason - 1] = '\0';
    std::string line(reason);
    line = line.substr(0, line.find('\n'));
    return {nullptr, line.empty() ? "the dialogs could not be started" : line};
  }
  return {std::unique_ptr<InteractiveShell>(shell), {}};
}

LoadedShell LoadInteractiveShell() {
  // The module is found beside the program itself, wherever the run was started from.
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {nullptr, "cannot find the program's own folder: " + ec.message()};
  return LoadInteractiveShell(exe.parent_path() / kInteractiveModuleFile);
}

#endif

}  // namespace mapbasis
