// The interactive face of the program: on Linux a module of its own beside the executable, loaded
// only for a run without arguments, so that a batch run never maps the GUI libraries and needs no
// display; on Windows the dialogs, which need only the system's libraries, linked in. The build
// says which (MAPBASIS_LINKED_DIALOGS, or MAPBASIS_DIALOGS_MODULE_FILE naming the module).
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "driver/interactive_shell.h"

namespace mapbasis {

// The module exports one function of this type under this name. It returns a new shell for the
// rest of the run, to be deleted through InteractiveShell's virtual destructor; or null, after
// writing one line (UTF-8, zero-terminated, at most `reasonSize` bytes with the zero) into
// `reason` that says why: there is no display, for instance.
using InteractiveShellFactory = InteractiveShell* (*)(char* reason, std::size_t reasonSize);
inline constexpr const char* kInteractiveShellFactory = "mapbasis_create_interactive_shell";

struct LoadedShell {
  std::unique_ptr<InteractiveShell> shell;  // null when it could not be had
  std::string reason;                       // then one line saying why
};

// Loads the module and makes its shell. The module stays loaded until the process ends.
LoadedShell LoadInteractiveShell(const std::filesystem::path& module);

// The program's own shell: the linked dialogs, or the module beside the running executable.
LoadedShell LoadInteractiveShell();

}  // namespace mapbasis
