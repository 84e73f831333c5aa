// The platform layer on Windows: files, folders, the folder lock and the process, through the
// Windows API with UTF-16 paths.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/file_system.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/process.h"

namespace mapbasis::platform {

namespace {

std::error_code Win32Error(DWORD error) {
  return std::error_code(static_cast<int>(error), std::system_category());
}

std::error_code LastError() { return Win32Error(::GetLastError()); }

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::intptr_t Stored(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

bool NotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

EntryType TypeOfAttributes(DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryType::kLink;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EntryType::kFolder;
  return EntryType::kFile;
}

// What an open handle names: a file, a folder, or a device or pipe.
std::error_code TypeOfHandle(HANDLE handle, EntryType& type) {
  const DWORD kind = ::GetFileType(handle);
  if (kind == FILE_TYPE_UNKNOWN && ::GetLastError() != NO_ERROR) return LastError();
  if (kind != FILE_TYPE_DISK) {
    type = EntryType::kOther;
    return {};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return LastError();
  type = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryType::kFolder
                                                                 : EntryType::kFile;
  return {};
}

// Opens what the path names, links followed, folders included, for nothing but asking about it.
HANDLE OpenToAsk(const std::filesystem::path& path, DWORD access) {
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// How often a run waiting for a folder's lock tries again, and how many times it takes a denial of
// access at the lock's name for a lock on its way out (five seconds in all).
constexpr DWORD kLockRetryMilliseconds = 20;
constexpr unsigned kLockDenialRetries = 250;

}  // namespace

// --- Names and files ------------------------------------------------------------------------

namespace {

// The name before its extension (and before the blanks that end it, which the system drops) when
// it is a name the system keeps for a device; empty otherwise.
std::string_view DeviceNameOf(std::string_view part) {
  std::string_view base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  const auto is = [&](std::string_view name) {
    return base.size() == name.size() && std::equal(base.begin(), base.end(), name.begin(),
                                                    [&](char a, char b) { return upper(a) == b; });
  };
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (is(device)) return base;
  }
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
      (is(std::string("COM") + base[3]) || is(std::string("LPT") + base[3]))) {
    return base;
  }
  return {};
}

}  // namespace

NameCheck CheckNameCharacters(std::string_view part, bool first) {
  for (const char c : part) {
    // A drive's colon is part of the path's first part only.
    if (std::string_view("<>\"|?*").find(c) != std::string_view::npos ||
        (c == ':' && !(first && part.size() == 2 && part[1] == ':'))) {
      return {NameFault::kForbiddenCharacter, c};
    }
  }
  if (!part.empty() && part != "." && part != ".." && (part.back() == ' ' || part.back() == '.')) {
    return {NameFault::kDroppedEnding, part.back()};
  }
  if (const std::string_view device = DeviceNameOf(part); !device.empty()) {
    return {NameFault::kDeviceName, 0, device};
  }
  return {};
}

bool IsRoot(const std::filesystem::path& path) { return !path.has_relative_path(); }

std::error_code AbsolutePathOf(const std::filesystem::path& path, std::filesystem::path& absolute) {
  std::error_code error;
  absolute = std::filesystem::absolute(path, error);
  return error;
}

std::error_code StatusOf(const std::filesystem::path& path, EntryType& type) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    type = TypeOfAttributes(attributes);
    return {};
  }
  const DWORD error = ::GetLastError();
  if (!NotFound(error)) return Win32Error(error);
  type = EntryType::kMissing;
  return {};
}

std::error_code FollowedStatusOf(const std::filesystem::path& path, EntryType& type) {
  if (std::error_code error = StatusOf(path, type); error || type != EntryType::kLink) return error;
  HANDLE handle = OpenToAsk(path, 0);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (!NotFound(error)) return Win32Error(error);
    type = EntryType::kMissing;
    return {};
  }
  const std::error_code error = TypeOfHandle(handle, type);
  ::CloseHandle(handle);
  return error;
}

bool IsMissing(const std::error_code& error) {
  return error.category() == std::system_category() && NotFound(static_cast<DWORD>(error.value()));
}

bool IsTaken(const std::error_code& error) {
  return error.category() == std::system_category() &&
         (error.value() == ERROR_FILE_EXISTS || error.value() == ERROR_ALREADY_EXISTS);
}

bool IsOpenElsewhere(const std::error_code& error) {
  return error.category() == std::system_category() &&
         (error.value() == ERROR_SHARING_VIOLATION || error.value() == ERROR_LOCK_VIOLATION);
}

std::error_code ListFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return LastError();
  std::error_code error;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back({folder / name, TypeOfAttributes(found.dwFileAttributes)});
  } while (::FindNextFileW(search, &found));
  if (::GetLastError() != ERROR_NO_MORE_FILES) error = LastError();
  ::FindClose(search);
  return error;
}

std::error_code MakeFolder(const std::filesystem::path& folder) {
  if (::CreateDirectoryW(folder.c_str(), nullptr)) return {};
  return LastError();
}

std::error_code RemoveEmptyFolder(const std::filesystem::path& folder) {
  if (::RemoveDirectoryW(folder.c_str())) return {};
  return LastError();
}

std::error_code RemoveFile(const std::filesystem::path& file) {
  if (::DeleteFileW(file.c_str())) return {};
  return LastError();
}

std::error_code RenameIntoFreeName(const std::filesystem::path& from,
                                   const std::filesystem::path& to) {
  if (::MoveFileExW(from.c_str(), to.c_str(), 0)) return {};
  return LastError();
}

std::error_code CheckWritableFolder(const std::filesystem::path& folder) {
  // Windows decides access when an entry is made: the program makes one, which the system
  // removes again as it is closed (or the process ends).
  // Named for the process and the thread, so that runs and threads beside each other never meet
  // at one name; the name is free again once the probe is closed.
  wchar_t name[64];
  std::swprintf(name, 64, L"%lsprobe-%08lx-%08lx.tmp",
                std::wstring(kTemporaryPrefix.begin(), kTemporaryPrefix.end()).c_str(),
                ::GetCurrentProcessId(), ::GetCurrentThreadId());
  HANDLE probe = ::CreateFileW((folder / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return LastError();
  ::CloseHandle(probe);
  return {};
}

std::error_code CheckDeletable(const std::filesystem::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return NotFound(error) ? std::error_code{} : Win32Error(error);
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return Win32Error(ERROR_ACCESS_DENIED);
  // Moving or deleting a file needs the right to delete it, which the system grants only when no
  // other program holds it open without sharing deletion (a GIS that shows the layer, say). The
  // file is opened for that right alone, and let go at once; a link is asked about as a link.
  HANDLE handle = ::CreateFileW(
      file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    return NotFound(error) ? std::error_code{} : Win32Error(error);
  }
  ::CloseHandle(handle);
  return {};
}

NewFile::~NewFile() {
  if (handle_ != -1) ::CloseHandle(Handle(handle_));
}

std::error_code NewFile::Create(const std::filesystem::path& file) {
  // CREATE_NEW never opens what stands at the name, a link included.
  HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  handle_ = Stored(handle);
  return {};
}

std::error_code NewFile::Write(std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    DWORD n = 0;
    if (!::WriteFile(Handle(handle_), bytes.data() + written, chunk, &n, nullptr) || n == 0) {
      return LastError();
    }
    written += n;
  }
  return {};
}

std::error_code NewFile::Close() {
  HANDLE handle = Handle(handle_);
  handle_ = -1;
  if (!::CloseHandle(handle)) return LastError();
  return {};
}

InputFile::~InputFile() {
  if (handle_ != -1) ::CloseHandle(Handle(handle_));
}

std::error_code InputFile::Open(const std::filesystem::path& file) {
  HANDLE handle = OpenToAsk(file, GENERIC_READ);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  handle_ = Stored(handle);
  return {};
}

std::error_code InputFile::Describe(EntryType& type, std::uint64_t& size) const {
  if (std::error_code error = TypeOfHandle(Handle(handle_), type)) return error;
  size = 0;
  if (type != EntryType::kFile) return {};
  LARGE_INTEGER bytes{};
  if (!::GetFileSizeEx(Handle(handle_), &bytes)) return LastError();
  size = static_cast<std::uint64_t>(bytes.QuadPart);
  return {};
}

std::error_code InputFile::Read(char* into, std::size_t room, std::size_t& count) {
  DWORD n = 0;
  const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
  if (!::ReadFile(Handle(handle_), into, chunk, &n, nullptr)) return LastError();
  count = n;
  return {};
}

void NativeFileSystem::Pause(std::chrono::milliseconds pause) {
  ::Sleep(static_cast<DWORD>(pause.count()));
}

// --- The folder lock --------------------------------------------------------------------------

// A folder cannot be locked itself here. The lock is a hidden file in the folder (LockFileOf),
// opened by one run alone and deleted by the system when it is closed, also when the process is
// killed. A second run finds it in use and waits. Lying in the folder, the lock is one for every
// path that names the folder and for every user and session, whatever their temporary folders. A
// file left at its name by a power loss holds nothing: the lock is the open file, not the name.
FolderLock::~FolderLock() {
  if (handle_ != -1) ::CloseHandle(Handle(handle_));
}

std::filesystem::path LockFileOf(const std::filesystem::path& folder) {
  return folder / L".mapbasis-lock";
}

std::error_code FolderLock::Acquire(const std::filesystem::path& folder) {
  const DWORD folderAttributes = ::GetFileAttributesW(folder.c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES) return LastError();
  if ((folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return Win32Error(ERROR_DIRECTORY);
  const std::filesystem::path lockFile = LockFileOf(folder);
  unsigned denials = 0;
  for (;;) {
    HANDLE file = ::CreateFileW(
        lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = Stored(file);
      return {};
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {  // another run holds the folder
      denials = 0;
      ::Sleep(kLockRetryMilliseconds);
      continue;
    }
    if (error != ERROR_ACCESS_DENIED) return Win32Error(error);
    // The lock of a run that has just ended may still be on its way out, which takes a moment;
    // anything else that denies access (a folder at the name, a read-only file, a folder the run
    // may not write in) is not the lock of another run, and waiting would never end.
    const DWORD attributes = ::GetFileAttributesW(lockFile.c_str());
    const bool leaving =
        attributes == INVALID_FILE_ATTRIBUTES
            ? ::GetLastError() == ERROR_ACCESS_DENIED
            : (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
    if (!leaving || ++denials > kLockDenialRetries) return Win32Error(error);
    ::Sleep(kLockRetryMilliseconds);
  }
}

// --- The process ------------------------------------------------------------------------------

std::error_code CurrentFolder(std::filesystem::path& folder) {
  std::error_code error;
  folder = std::filesystem::current_path(error);
  return error;
}

std::error_code ChangeCurrentFolder(const std::filesystem::path& folder) {
  if (::SetCurrentDirectoryW(folder.c_str())) return {};
  return LastError();
}

std::error_code ProgramFolder(std::filesystem::path& folder) {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return LastError();
    if (length < name.size()) {
      name.resize(length);
      folder = std::filesystem::path(name).parent_path();
      return {};
    }
    name.resize(name.size() * 2);
  }
}

ModuleEntry LoadModuleEntry(const std::filesystem::path& module, const char* name) {
  HMODULE handle = ::LoadLibraryW(module.c_str());
  if (handle == nullptr) return {nullptr, module.string() + ": " + LastError().message()};
  FARPROC entry = ::GetProcAddress(handle, name);
  if (entry == nullptr) {
    ModuleEntry failed{nullptr, module.string() + ": " + LastError().message()};
    ::FreeLibrary(handle);
    return failed;
  }
  return {reinterpret_cast<void*>(entry), {}};
}

std::optional<std::filesystem::path> HomeFolder() { return std::nullopt; }

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  ::localtime_s(&local, &moment);
  return local;
}

}  // namespace mapbasis::platform
