#include "driver/interactive_module.h"

#include <cstring>
#include <string>
#include <system_error>

#include "core/cp1251.h"
#include "core/messages.h"
#include "platform/process.h"

namespace mapbasis {

#ifdef MAPBASIS_LINKED_DIALOGS
// Dialogs that need only the system's libraries (the Windows ones) are linked into the program.
extern "C" InteractiveShell* mapbasis_create_interactive_shell(char* reason, std::size_t size);
#endif

namespace {

// Room for the factory's one line of reason.
constexpr std::size_t kReasonSize = 1024;

LoadedShell MakeShell(InteractiveShellFactory factory) {
  char reason[kReasonSize] = {};
  InteractiveShell* shell = factory(reason, sizeof reason);
  if (shell == nullptr) {
    reason[sizeof reason - 1] = '\0';
    std::string line(reason);
    line = line.substr(0, line.find('\n'));
    return {nullptr, line.empty() ? Cp1251ToUtf8(Tr("the dialogs could not be started")) : line};
  }
  return {std::unique_ptr<InteractiveShell>(shell), {}};
}

}  // namespace

LoadedShell LoadInteractiveShell(const std::filesystem::path& module) {
  const platform::ModuleEntry loaded = platform::LoadModuleEntry(module, kInteractiveShellFactory);
  if (loaded.entry == nullptr) {
    return {nullptr,
            Cp1251ToUtf8(Tr("cannot load the dialogs: %1", Utf8ToCp1251Lossy(loaded.reason)))};
  }
  InteractiveShellFactory factory = nullptr;
  static_assert(sizeof factory == sizeof loaded.entry);
  std::memcpy(&factory, &loaded.entry, sizeof factory);
  return MakeShell(factory);
}

LoadedShell LoadInteractiveShell() {
#if defined(MAPBASIS_LINKED_DIALOGS)
  return MakeShell(mapbasis_create_interactive_shell);
#elif defined(MAPBASIS_DIALOGS_MODULE_FILE)
  // The module is found beside the program itself, wherever the run was started from.
  std::filesystem::path folder;
  if (const std::error_code error = platform::ProgramFolder(folder)) {
    return {nullptr,
            Cp1251ToUtf8(Tr("cannot find the program's own folder: %1", SystemErrorText(error)))};
  }
  return LoadInteractiveShell(folder / MAPBASIS_DIALOGS_MODULE_FILE);
#else
  return {nullptr, Cp1251ToUtf8(Tr("the dialogs are not part of this build; give the path of a "
                                   "parameter file"))};
#endif
}

}  // namespace mapbasis
