// The platform layer on Windows: files, folders, the folder lock and the process, through the
// Windows API with UTF-16 paths.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

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

// How often a run waiting for a folder's lock tries again.
constexpr DWORD kLockRetryMilliseconds = 20;

}  // namespace

// --- Names and files ------------------------------------------------------------------------

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
  return {};
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

std::error_code RenameReplacing(const std::filesystem::path& from,
                                const std::filesystem::path& to) {
  // An old file, or a link, at the final name is replaced, never opened.
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return {};
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
  wchar_t name[64];
  static unsigned probes = 0;
  std::swprintf(name, 64, L"%lsprobe-%08lx-%u.tmp",
                std::wstring(kTemporaryPrefix.begin(), kTemporaryPrefix.end()).c_str(),
                ::GetCurrentProcessId(), ++probes);
  HANDLE probe = ::CreateFileW((folder / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return LastError();
  ::CloseHandle(probe);
  return {};
}

std::error_code CheckDeletable(const std::filesystem::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return Win32Error(ERROR_ACCESS_DENIED);
  }
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

// --- The folder lock --------------------------------------------------------------------------

// A folder cannot be locked itself here. The lock is a file in the temporary folder named after
// the folder's identity (volume and file index, so every path naming the folder shares it),
// opened for this run alone and deleted when closed. A second run finds it in use and waits.
FolderLock::~FolderLock() {
  if (handle_ != -1) ::CloseHandle(Handle(handle_));
}

std::error_code FolderLock::Acquire(const std::filesystem::path& folder) {
  HANDLE dir = OpenToAsk(folder, 0);
  if (dir == INVALID_HANDLE_VALUE) return LastError();
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(dir, &info) != 0;
  const std::error_code infoError = LastError();
  ::CloseHandle(dir);
  if (!known) return infoError;

  wchar_t temporary[MAX_PATH + 1] = {};
  if (::GetTempPathW(MAX_PATH + 1, temporary) == 0) return LastError();
  wchar_t name[80];
  std::swprintf(name, 80, L"mapbasis-%08lx-%08lx%08lx.lock", info.dwVolumeSerialNumber,
                info.nFileIndexHigh, info.nFileIndexLow);
  const std::wstring lockFile = std::wstring(temporary) + name;
  for (;;) {
    HANDLE file =
        ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = Stored(file);
      return {};
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return Win32Error(error);
    ::Sleep(kLockRetryMilliseconds);  // another run holds the folder
  }
}

// --- The process ------------------------------------------------------------------------------

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

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  ::localtime_s(&local, &moment);
  return local;
}

}  // namespace mapbasis::platform
