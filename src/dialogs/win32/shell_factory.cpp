// The interactive shell over the Windows dialogs. They need nothing beyond the system's libraries,
// so they are part of the program; the run driver asks this function for them.
#include <cstddef>
#include <iostream>
#include <memory>

#include "dialogs/dialog_shell.h"
#include "dialogs/win32/win32_toolkit.h"
#include "driver/interactive_module.h"

namespace mapbasis {

namespace {

class Win32Shell final : public InteractiveShell {
 public:
  Win32Shell() : shell_(toolkit_, std::cerr) {}

  void ShowInfoDialog() override { shell_.ShowInfoDialog(); }
  DialogVerdict RunParameterDialog(SheetParameters& p) override {
    return shell_.RunParameterDialog(p);
  }
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    shell_.ShowMessage(text, caption, icon);
  }

 private:
  Win32Toolkit toolkit_;
  DialogShell shell_;
};

// Started by a double-click, the program has a console window of its own that shows nothing: it
// goes. A console shared with a command prompt stays.
void LeaveOwnConsole() {
  DWORD processes[2];
  if (::GetConsoleWindow() != nullptr && ::GetConsoleProcessList(processes, 2) == 1) {
    ::FreeConsole();
  }
}

}  // namespace

}  // namespace mapbasis

extern "C" bool mapbasis_open_dialogs(char* reason, std::size_t reasonSize,
                                      mapbasis_dialogs_handle* handle) {
  static_assert(
      std::is_same_v<decltype(&mapbasis_open_dialogs), mapbasis::InteractiveShellFactory>);
  mapbasis::WriteReasonLine(reason, reasonSize, {});  // Windows always has a desktop for them
  mapbasis::LeaveOwnConsole();
  *handle = mapbasis::HandOverShell(std::make_unique<mapbasis::Win32Shell>());
  return true;
}
