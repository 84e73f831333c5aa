// The interactive face of the program: on Linux a module of its own beside the executable, loaded
// only for a run without arguments, so that a batch run never maps the GUI libraries and needs no
// display; on Windows the dialogs, which need only the system's libraries, linked in. The build
// says which (MAPBASIS_LINKED_DIALOGS, or MAPBASIS_DIALOGS_MODULE_FILE naming the module).
//
// The dialogs and the program meet in plain C. On Linux the program carries its own copy of the
// C++ runtime, linked in so that a batch run does not relocate the shared one at every start,
// while the module uses the shared one that Qt needs: no string, object or exception may pass
// between the two. The parameter record crosses as its numbers and its folder's bytes; a call that
// fails in the dialogs says so by its result and one line.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/sheet_parameters.h"
#include "driver/interactive_shell.h"

extern "C" {

// The dialogs' own state, which only the dialogs' side reads.
struct mapbasis_dialogs;

// The parameter record as it crosses: its numbers, and its result folder zero-terminated (cp1251).
struct mapbasis_sheet_record {
  mapbasis::SheetNumbers numbers;
  char path[4 * mapbasis::kPathLength];
};

// The dialogs' calls. Each returns one of the results below.
struct mapbasis_dialog_calls {
  int (*show_info)(mapbasis_dialogs* self);
  // Fills the record from the user's choices; kDialogsConfirmed or kDialogsDone (left without).
  int (*run_parameter_dialog)(mapbasis_dialogs* self, mapbasis_sheet_record* record);
  // Text and caption in cp1251; the icon as MessageIcon's value.
  int (*show_message)(mapbasis_dialogs* self, const char* text, std::size_t textSize,
                      const char* caption, std::size_t captionSize, int icon);
  // The line (UTF-8, zero-terminated, at most `size` bytes with the zero) that says why the last
  // call ended with kDialogsFailed.
  void (*last_failure)(mapbasis_dialogs* self, char* line, std::size_t size);
  void (*close)(mapbasis_dialogs* self);
};

struct mapbasis_dialogs_handle {
  mapbasis_dialogs* self;
  const mapbasis_dialog_calls* calls;
};

}  // extern "C"

namespace mapbasis {

// What a call of the dialogs ended with.
inline constexpr int kDialogsDone = 0;
inline constexpr int kDialogsConfirmed = 1;
inline constexpr int kDialogsOutOfMemory = -1;
inline constexpr int kDialogsFailed = -2;

// The dialogs export one function of this type under this name. It fills `handle` and returns
// true; or returns false after writing one line (UTF-8, zero-terminated, at most `reasonSize`
// bytes with the zero) into `reason` that says why there are no dialogs: no display, for instance.
using InteractiveShellFactory = bool (*)(char* reason, std::size_t reasonSize,
                                         mapbasis_dialogs_handle* handle);
inline constexpr const char* kInteractiveShellFactory = "mapbasis_open_dialogs";

// The dialogs' side: hands `shell` over as the C calls above, which catch whatever it throws.
mapbasis_dialogs_handle HandOverShell(std::unique_ptr<InteractiveShell> shell);

// Writes a line of reason into the room the other side gave: as much of `text` as fits, and the
// terminating zero.
void WriteReasonLine(char* line, std::size_t size, std::string_view text);

struct LoadedShell {
  std::unique_ptr<InteractiveShell> shell;  // null when it could not be had
  std::string reason;                       // then one line saying why
};

// Loads the module and makes its shell. The module stays loaded until the process ends.
LoadedShell LoadInteractiveShell(const std::filesystem::path& module);

// The program's own shell: the linked dialogs, or the module beside the running executable.
LoadedShell LoadInteractiveShell();

}  // namespace mapbasis
