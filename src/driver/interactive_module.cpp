#include "driver/interactive_module.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <cstring>
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

LoadedShell LoadInteractiveShell(const std::filesystem::path& module) {
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
