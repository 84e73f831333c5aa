// mapbasis: the mathematical basis of one sheet of the geological map series.
//
// With the path of a parameter file it runs as a batch job; without arguments it would open the
// parameter dialogs, which this build does not have yet.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::fputs("mapbasis: the interactive mode is not available in this build; "
               "give the path of a parameter file\n", stderr);
    return 8;
  }
  return 8;
}
