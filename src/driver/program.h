// The start of the program: an interactive run without arguments, a batch run on the parameter
// file named by the first argument (further arguments are ignored). One process makes one sheet.
//
// Exit statuses: 0 the sheet was generated; 8 cancelled, or failed before generation, or (in an
// interactive run) generation failed; 16 generation failed in a batch run.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "driver/interactive_shell.h"
#include "driver/run_generation.h"
#include "platform/file_system.h"

namespace mapbasis {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNotDone = 8;
inline constexpr int kExitGenerationFailed = 16;

// The program's version, the project's in CMakeLists.txt (driver/program_version.cpp): what
// --version prints after the program's name; the information dialog names its major and minor
// part.
std::string_view ProgramVersion();

// `args` are the command-line arguments after the program name, as the platform gives them (UTF-8
// on Linux). `--help` (or `-h`) and `--version` as the first argument write to `out` and end with
// 0; `--find` and `--index` ask the sheet grid (driver/sheet_commands.h); any other first argument
// is the parameter file of a batch run. `shell` is the user interface
// of an interactive run; without one, a run without arguments says so and ends with 8. A batch run
// says nothing when it succeeds; when it fails it writes one line to `diagnostics` that starts
// with "mapbasis: " and the parameter file (and the line of the file where the fault stands),
// e.g. `mapbasis: params.txt:3: unknown key "MapScal"`.
//
// Every check that can refuse a sheet runs before anything on disk is touched: a refused run
// leaves the disk as it was. The result folder is locked for the run, so two runs on one folder
// never interleave; the later one waits.
int RunProgram(const std::vector<std::string>& args, InteractiveShell* shell, std::ostream& out,
               std::ostream& diagnostics);

// The batch run on the parameter file `file`, its folders and files asked of `system` (the
// system itself when none is given).
int RunBatch(const std::string& file, std::ostream& diagnostics);
int RunBatch(const std::string& file, std::ostream& diagnostics, platform::FileSystem& system);

// The interactive run, with the stages of the generation (StandardStages: the layers and the
// project). What a run throws is shown in the failure box and ends it with 8.
int RunInteractive(InteractiveShell& shell, const GenerationStages& stages = StandardStages());

}  // namespace mapbasis
