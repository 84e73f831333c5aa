// The file system as the program uses it, the same on every system it runs on. This layer stands
// at the bottom of the program and includes nothing of it: platform/posix.cpp and
// platform/win32.cpp hold the two systems' ways, and the build takes one of them.
//
// Every call returns the system's own error, so that a caller can name it to the user. A failure
// is never folded into an answer: a status that cannot be read is an error, not "no such file";
// only the system's "nothing stands at that name" is EntryType::kMissing (IsMissing tells that
// error apart where a call reports it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace mapbasis::platform {

// The separator the system writes between the parts of a path.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Whether the character separates the parts of a path: on Windows '/' does as well as '\\'.
constexpr bool IsPathSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// Whether a leading "~" and separator in a path a user types stands for the home folder
// (process.h: HomeFolder), as POSIX shells read it; on Windows "~" is a name like any other.
#ifdef _WIN32
inline constexpr bool kTildeIsHome = false;
#else
inline constexpr bool kTildeIsHome = true;
#endif

// The longest name of one folder or file, in the units the system stores names in.
inline constexpr std::size_t kMaxNameLength = 255;
#ifdef _WIN32
inline constexpr std::string_view kNameUnits = "UTF-16 units";
#else
inline constexpr std::string_view kNameUnits = "bytes";
#endif

// Every file the program makes for a moment (a layer file while it is written, a probe) is named
// with this prefix, so that a run can find and remove what a stopped run left.
inline constexpr std::string_view kTemporaryPrefix = ".mapbasis-";

// What, beyond control characters (which no system takes), keeps a text from being the name of a
// folder or file here.
enum class NameFault {
  kNone,
  kForbiddenCharacter,  // a character no name may hold (Windows: < > " | ? * and :)
  kDroppedEnding,       // a blank or dot at the end, which the system would drop (Windows)
  kDeviceName,          // a name the system keeps for a device, with any extension (Windows: CON,
                        // PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, CONIN$, CONOUT$)
};

struct NameCheck {
  NameFault fault = NameFault::kNone;
  char character = 0;         // the forbidden character
  std::string_view device{};  // the device's name, as the part writes it (before its extension)
};

// Checks one part of a path, given in any ASCII-compatible encoding; `first` says whether it is
// the path's first part (there a drive such as "C:" may hold its colon).
NameCheck CheckNameCharacters(std::string_view part, bool first);

// Whether the path is a root, the top of its file system with nothing above it to climb to: "/",
// or on Windows a drive's root (C:\) or the top of a network path.
bool IsRoot(const std::filesystem::path& path);

// The path made absolute against the current folder, as the system resolves a relative path;
// nothing is asked of what stands at it.
std::error_code AbsolutePathOf(const std::filesystem::path& path, std::filesystem::path& absolute);

enum class EntryType { kMissing, kFile, kFolder, kLink, kOther };

// What stands at the path itself, a link taken as a link (lstat).
std::error_code StatusOf(const std::filesystem::path& path, EntryType& type);

// What the path names, links followed (stat). A link to nothing is kMissing.
std::error_code FollowedStatusOf(const std::filesystem::path& path, EntryType& type);

// Whether an error of the calls below says that nothing stands at the name.
bool IsMissing(const std::error_code& error);

// Whether an error says that the name is taken already.
bool IsTaken(const std::error_code& error);

// Whether an error says that another program holds the file open and lets no one move or delete
// it meanwhile (Windows: a sharing violation, as a GIS that shows a layer causes).
bool IsOpenElsewhere(const std::error_code& error);

struct FolderEntry {
  std::filesystem::path path;          // the folder's path joined with the entry's name
  EntryType type = EntryType::kOther;  // as StatusOf gives it: a link is a link
};

// The entries of a folder, "." and ".." left out, in the order the system gives them.
std::error_code ListFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries);

// Makes one folder; its parent must be there. An entry already at the name is an error (IsTaken).
std::error_code MakeFolder(const std::filesystem::path& folder);

// Removes an empty folder.
std::error_code RemoveEmptyFolder(const std::filesystem::path& folder);

// Removes a file, a link as a link (its target stays). Nothing at the name is an error too
// (IsMissing): the caller says whether that matters.
std::error_code RemoveFile(const std::filesystem::path& file);

// Renames into a name that nothing takes; never replaces: an entry at `to` is an error (IsTaken)
// and both names stay as they were.
std::error_code RenameIntoFreeName(const std::filesystem::path& from,
                                   const std::filesystem::path& to);

// Whether the program may list, make and delete entries in the folder: the rights of this user
// (root's included), a read-only mount, an immutable folder, a file system that takes no files
// (/proc, /sys). Linux asks the system and makes nothing; Windows, which decides access only when
// an entry is made, makes one that it removes as it closes it. A full disk is not seen here.
std::error_code CheckWritableFolder(const std::filesystem::path& folder);

// Whether the system would refuse to move or delete the file even in a folder the program may write
// in: an immutable file, another user's file in a shared folder, a mount point (busy); on Windows a
// read-only file, or one that another program holds open without letting it go (IsOpenElsewhere).
// A link is asked about as a link. Nothing at the name is no refusal.
std::error_code CheckDeletable(const std::filesystem::path& file);

// A file made anew for writing. Create never opens what stands at the name, a link included: an
// entry there is an error (IsTaken). Closing reports the last error of the writes.
class NewFile {
 public:
  NewFile() = default;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile();  // closes a file still open, without a word

  std::error_code Create(const std::filesystem::path& file);
  // Writes all the bytes or fails.
  std::error_code Write(std::string_view bytes);
  std::error_code Close();

 private:
  std::intptr_t handle_ = -1;
};

// A file opened for reading. Opening never waits (a FIFO without a writer does not hold it).
class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  std::error_code Open(const std::filesystem::path& file);
  // What was opened (kFile for a regular file, kFolder, or kOther for a FIFO, device or socket)
  // and its size.
  std::error_code Describe(EntryType& type, std::uint64_t& size) const;
  // Reads at most `room` bytes; `count` 0 at the end of the file.
  std::error_code Read(char* into, std::size_t room, std::size_t& count);

 private:
  std::intptr_t handle_ = -1;
};

}  // namespace mapbasis::platform
