// mapbasis: the mathematical basis of one sheet of the geological map series.
//
//     mapbasis PARAMETER-FILE     batch run: exit status 0, 8 or 16, one line on stderr on failure
//     mapbasis                    interactive run (needs the dialogs)
//     mapbasis --help | --version
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "driver/program.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // A file that outgrows the process's size limit fails its write, which the run reports, instead
  // of the signal ending the process half-way.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return mapbasis::RunProgram(args, nullptr, std::cout, std::cerr);
}
