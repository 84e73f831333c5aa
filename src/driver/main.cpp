// mapbasis: the mathematical basis of one sheet of the geological map series.
//
//     mapbasis PARAMETER-FILE     batch run: exit status 0, 8 or 16, one line on stderr on failure
//     mapbasis                    interactive run: the dialogs, from the module beside the program
//     mapbasis --find LAT LON | --index SOUTH WEST NORTH EAST FOLDER   the sheet grid
//     mapbasis --help | --version
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "driver/interactive_module.h"
#include "driver/program.h"

namespace {

int Run(const std::vector<std::string>& args) {
  if (!args.empty()) return mapbasis::RunProgram(args, nullptr, std::cout, std::cerr);

  // Only a run without arguments loads the dialogs, and with them the GUI libraries.
  const mapbasis::LoadedShell loaded = mapbasis::LoadInteractiveShell();
  if (!loaded.shell) {
    std::cerr << "mapbasis: " << loaded.reason << '\n';
    return mapbasis::kExitNotDone;
  }
  return mapbasis::RunProgram(args, loaded.shell.get(), std::cout, std::cerr);
}

// What the standard library cannot throw out of a function that promises not to throw (memory
// running out inside a directory listing, for one) ends the process through here: still one line
// and the program's own status. Stopped there, a run leaves what a killed run leaves: every layer
// whole or absent, and temporaries that the next run removes.
[[noreturn]] void OnTerminate() {
  std::fputs("mapbasis: the run was stopped: out of memory or an internal failure\n", stderr);
  std::_Exit(mapbasis::kExitNotDone);
}

// `arguments` gives the arguments after the program name.
template <typename Arguments>
int Main(Arguments arguments) {
#ifdef SIGXFSZ
  // A file that outgrows the process's size limit fails its write, which the run reports, instead
  // of the signal ending the process half-way.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
#ifdef SIGPIPE
  // A closed stderr makes the message fail, not the run: the exit status still tells.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::set_terminate(OnTerminate);
  // Whatever escapes the run still ends it with one line and a status of the program's own: 8, as
  // a batch run catches what happens during its generation itself. The line is written without
  // allocating: memory may be what ran out.
  try {
    return Run(arguments());
  } catch (const std::bad_alloc&) {
    std::fputs("mapbasis: out of memory\n", stderr);
  } catch (const std::exception& e) {
    std::fputs("mapbasis: ", stderr);
    std::fputs(e.what(), stderr);
    std::fputs("\n", stderr);
  } catch (...) {
    std::fputs("mapbasis: the run ended on an unknown failure\n", stderr);
  }
  return mapbasis::kExitNotDone;
}

}  // namespace

#ifdef _WIN32

namespace {

// The arguments come as UTF-16, whatever the system's ANSI code page, and go on as UTF-8; the
// messages go to the console as UTF-8.
std::string Utf8Of(const wchar_t* text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(size) - 1);
  return utf8;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::SetConsoleOutputCP(CP_UTF8);
  return Main([&] {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8Of(argv[i]));
    return args;
  });
}

#else

int main(int argc, char** argv) {
  return Main([&] { return std::vector<std::string>(argv + 1, argv + argc); });
}

#endif
