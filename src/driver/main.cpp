// mapbasis: the mathematical basis of one sheet of the geological map series.
//
//     mapbasis PARAMETER-FILE     batch run: exit status 0, 8 or 16, one line on stderr on failure
//     mapbasis                    interactive run: the dialogs, from the module beside the program
#include <iostream>
#include <string>
#include <vector>

#include "driver/interactive_module.h"
#include "driver/program.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  if (!args.empty()) return mapbasis::RunProgram(args, nullptr, std::cerr);

  // Only a run without arguments loads the dialogs, and with them the GUI libraries.
  const mapbasis::LoadedShell loaded = mapbasis::LoadInteractiveShell();
  if (!loaded.shell) {
    std::cerr << "mapbasis: " << loaded.reason << '\n';
    return mapbasis::kExitNotDone;
  }
  return mapbasis::RunProgram(args, loaded.shell.get(), std::cerr);
}
