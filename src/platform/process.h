// The process and its program: where the program lies, the modules it loads, the local time.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace mapbasis::platform {

// The folder that a leading "~" of a path the user typed stands for, as a shell reads it: the
// user's home folder on POSIX systems. Nothing on Windows, where "~" is a name like any other, or
// when the home folder is not known.
std::optional<std::filesystem::path> HomeFolder();

// The process's current folder, against which relative paths are resolved, and a change of it.
std::error_code CurrentFolder(std::filesystem::path& folder);
std::error_code ChangeCurrentFolder(const std::filesystem::path& folder);

// The folder that holds the running program's file.
std::error_code ProgramFolder(std::filesystem::path& folder);

struct ModuleEntry {
  void* entry = nullptr;  // null when the module or its entry could not be had
  std::string reason;     // then one line saying why (UTF-8)
};

// Loads a module (a shared library) of the program and finds the entry of that name. A file that
// is not a whole module of the program's own kind is refused before the system maps it. The module
// stays loaded until the process ends.
ModuleEntry LoadModuleEntry(const std::filesystem::path& module, const char* name);

// The local calendar time of a moment.
std::tm LocalTime(std::time_t moment);

}  // namespace mapbasis::platform
