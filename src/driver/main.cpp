// mapbasis: the mathematical basis of one sheet of the geological map series.
//
//     mapbasis PARAMETER-FILE...  batch run: a sheet for each file; exit status 0, 8 or 16, one
//                                 line on stderr for each failure
//     mapbasis                    interactive run: the dialogs, from the module beside the program
//     mapbasis --find LAT LON | --index SOUTH WEST NORTH EAST FOLDER   the sheet grid
//     mapbasis --help | --version
//
// A batch run speaks the user's language (Russian or English), the dialogs Russian. On Windows
// the same source makes two programs: mapbasis.exe for the console, which a command prompt waits
// for and whose status it sets in %ERRORLEVEL%, and mapbasisw.exe (MAPBASIS_WINDOWED) for a
// double-click, which opens no console window.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "core/cp1251.h"
#include "core/messages.h"
#include "driver/interactive_module.h"
#include "driver/program.h"
#include "platform/user_language.h"

namespace {

// The lines that end a run on a failure the run itself could not catch (UTF-8): English until
// they are made in the user's language before the run. They are written without allocating, as
// memory may be what ran out.
const char* gStoppedLine = "mapbasis: the run was stopped: out of memory or an internal failure\n";
const char* gOutOfMemoryLine = "mapbasis: out of memory\n";
const char* gUnknownFailureLine = "mapbasis: the run ended on an unknown failure\n";
std::string gLastWords[3];

void WriteLine(const char* line);  // the platform's, below

void PrepareLastWords() {
  const auto line = [](std::string& into, const std::string& cp1251) {
    into = "mapbasis: " + mapbasis::Cp1251ToUtf8(cp1251) + "\n";
    return into.c_str();
  };
  const char* stopped = line(
      gLastWords[0], mapbasis::Tr("the run was stopped: out of memory or an internal failure"));
  const char* memory = line(gLastWords[1], mapbasis::Tr("out of memory"));
  gUnknownFailureLine = line(gLastWords[2], mapbasis::Tr("the run ended on an unknown failure"));
  gStoppedLine = stopped;
  gOutOfMemoryLine = memory;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& diagnostics) {
  if (!args.empty()) return mapbasis::RunProgram(args, nullptr, out, diagnostics);

  // Only a run without arguments loads the dialogs, and with them the GUI libraries.
  const mapbasis::LoadedShell loaded = mapbasis::LoadInteractiveShell();
  if (!loaded.shell) {
    diagnostics << "mapbasis: " << loaded.reason << '\n';
    return mapbasis::kExitNotDone;
  }
  return mapbasis::RunProgram(args, loaded.shell.get(), out, diagnostics);
}

// What the standard library cannot throw out of a function that promises not to throw (memory
// running out inside a directory listing, for one) ends the process through here: still one line
// and the program's own status. Stopped there, a run leaves what a killed run leaves: every layer
// whole or absent, and temporaries that the next run removes.
[[noreturn]] void OnTerminate() {
  WriteLine(gStoppedLine);
  std::_Exit(mapbasis::kExitNotDone);
}

// `arguments` gives the arguments after the program name; it is asked once the run can fail
// with its own line.
template <typename Arguments>
int Main(Arguments arguments, std::ostream& out, std::ostream& diagnostics) {
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
  // a batch run catches what happens during its generation itself.
  try {
    // The user's language; the dialogs, once they are there, speak Russian.
    const mapbasis::platform::UserLocale user = mapbasis::platform::UserLocaleSetting();
    mapbasis::SetMessageLanguage(mapbasis::LanguageOfLocale(user.locale, user.preferred));
    PrepareLastWords();
    return Run(arguments(), out, diagnostics);
  } catch (const std::bad_alloc&) {
    WriteLine(gOutOfMemoryLine);
  } catch (const std::exception& e) {
    diagnostics << "mapbasis: " << e.what() << '\n';
  } catch (...) {
    WriteLine(gUnknownFailureLine);
  }
  return mapbasis::kExitNotDone;
}

}  // namespace

#ifdef _WIN32

// The C runtime expands wildcards in the arguments, as a Unix shell does before the program
// starts: `mapbasis examples\*.txt` runs every sample.
extern "C" {
int _dowildcard = -1;  // NOLINT: the runtime's own name
}

namespace {

// The arguments come as UTF-16, whatever the system's ANSI code page, and go on as UTF-8.
std::string Utf8Of(const wchar_t* text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(size) - 1);
  return utf8;
}

// Writes UTF-8 text to a standard handle: to a console as wide text, which shows whatever the
// console's code page (left as the user had it); to a pipe or a file as the UTF-8 bytes. False
// when there is no such handle (a windowed program started from the desktop) or it fails.
bool WriteUtf8(DWORD which, const char* text, std::size_t size) {
  HANDLE handle = ::GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode)) {
    // In pieces on the stack: the last words of a run that ran out of memory come here too.
    wchar_t wide[1024];
    while (size > 0) {
      std::size_t take = std::min<std::size_t>(size, 1000);
      // A piece never ends inside a character.
      while (take < size && take > 0 && (static_cast<unsigned char>(text[take]) & 0xC0) == 0x80)
        --take;
      const int count = ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(take), wide, 1024);
      DWORD written = 0;
      if (count <= 0 ||
          !::WriteConsoleW(handle, wide, static_cast<DWORD>(count), &written, nullptr))
        return false;
      text += take;
      size -= take;
    }
    return true;
  }
  DWORD written = 0;
  return ::WriteFile(handle, text, static_cast<DWORD>(size), &written, nullptr) != 0;
}

#ifdef MAPBASIS_WINDOWED
// The windowed program has no console: what it would print, when nothing receives it, is shown
// in a message box at the end (a parameter file dropped on its icon still says how it went).
std::string gUnshown;
#endif

void Emit(DWORD which, const std::string& text) {
  if (text.empty()) return;
  if (WriteUtf8(which, text.data(), text.size())) return;
#ifdef MAPBASIS_WINDOWED
  gUnshown += text;
#endif
}

void WriteLine(const char* line) { WriteUtf8(STD_ERROR_HANDLE, line, std::strlen(line)); }

// A stream to a standard handle, written a line at a time.
class HandleBuffer final : public std::stringbuf {
 public:
  explicit HandleBuffer(DWORD which) : which_(which) {}
  ~HandleBuffer() override { sync(); }

 protected:
  int sync() override {
    Emit(which_, str());
    str(std::string());
    return 0;
  }

 private:
  DWORD which_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int status = 0;
  {
    HandleBuffer outBuffer(STD_OUTPUT_HANDLE), errorBuffer(STD_ERROR_HANDLE);
    std::ostream out(&outBuffer), diagnostics(&errorBuffer);
    diagnostics << std::unitbuf;
    status = Main(
        [&] {
          std::vector<std::string> args;
          for (int i = 1; i < argc; ++i) args.push_back(Utf8Of(argv[i]));
          return args;
        },
        out, diagnostics);
  }
#ifdef MAPBASIS_WINDOWED
  if (!gUnshown.empty()) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, gUnshown.data(),
                                           static_cast<int>(gUnshown.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, gUnshown.data(), static_cast<int>(gUnshown.size()),
                          text.data(), size);
    ::MessageBoxW(nullptr, text.c_str(), L"mapbasis",
                  MB_OK | MB_SETFOREGROUND | (status == 0 ? MB_ICONINFORMATION : MB_ICONERROR));
  }
#endif
  return status;
}

#else

namespace {

void WriteLine(const char* line) { std::fputs(line, stderr); }

}  // namespace

int main(int argc, char** argv) {
  return Main([&] { return std::vector<std::string>(argv + 1, argv + argc); }, std::cout,
              std::cerr);
}

#endif
