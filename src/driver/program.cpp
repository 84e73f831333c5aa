#include "driver/program.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <span>
#include <system_error>

#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "core/echo.h"
#include "core/map_scales.h"
#include "core/messages.h"
#include "driver/capacity_check.h"
#include "driver/final_message.h"
#include "driver/run_generation.h"
#include "driver/sheet_commands.h"
#include "geometry/sheet_grid.h"
#include "params/param_file.h"
#include "platform/files.h"
#include "publish/folder_fault.h"
#include "publish/publish_sheet.h"
#include "publish/result_folder.h"
#include "qgis/sheet_project.h"

namespace mapbasis {

namespace {

constexpr auto kTaskNotDone = Cp1251("Задание НЕ ВЫПОЛНЕНО");
constexpr auto kAbnormalEnd = Cp1251("АВАРИЙНОЕ ЗАВЕРШЕНИЕ");
constexpr auto kProcessingState = Cp1251("Состояние обработки");

// The usage notes in the user's language (UTF-8, for the terminal).
std::string Usage() {
  // Every line fits a console of 80 columns with the cursor after it (at most 79 characters): a
  // Windows console wraps a line of 80 and leaves an empty one after it.
  std::string usage =
      Tr("usage: mapbasis PARAMETER-FILE...  generate a sheet from each parameter file\n"
         "       mapbasis                    choose the sheet in the parameter dialogs\n"
         "       mapbasis --find LAT LON     name the sheets that hold a point\n"
         "       mapbasis --index SOUTH WEST NORTH EAST FOLDER [--scale 200|1000]\n"
         "                        [--cs CS]  write FOLDER/SheetIndex, the sheets of a box\n"
         "       mapbasis --help | --version\n");
  usage += '\n';
  static_assert(kCoordinateSystemCount == 3 && kScalesPerSeries == 3,
                "the notes name three systems and three map scales a series");
  const auto systems = CoordinateSystems();
  const auto scales200k = MapScalesOf(0), scales1m = MapScalesOf(1);
  usage +=
      // TRANSLATORS: %1, %2 and %3 are the coordinate systems as CS takes them (CK-42, CK-95,
      // ГCK-2011); %4 to %9 the map scales in thousands, of the 1:200 000 series (200, 500, 1000)
      // and of the 1:1 000 000 series (1000, 2500, 5000).
      Tr("The parameter file holds items key=value; in UTF-8 (with or without its\n"
         "byte-order mark), in UTF-16 with its byte-order mark (Notepad's \"Unicode\")\n"
         "or in code page 1251. Keys are written as here, capitals included:\n"
         "  CS=%1;          coordinate system: %1, %2 or %3\n"
         "  Nom=N-37-XIV;      the sheet: N-37, N-37-XIV, N3714, Q-38-I(2) ... (required)\n"
         "  Path=maps/N-37;    the result folder, created when missing        (required)\n"
         "  MapScale=%4;      in thousands, after Nom: %4, %5, %6 / %7, %8, %9\n"
         "  xFrom= xTo= yFrom= yTo=            a refined trapezoid, e.g. 41 30 or 41°30'\n"
         "  MeridianStep= ParallelStep=        graticule spacing, e.g. 0 20\n"
         "  xMinute= yMinute=                  minute-band divisions in whole minutes\n",
         systems[0].parameterText, systems[1].parameterText, systems[2].parameterText,
         scales200k[0].thousands, scales200k[1].thousands, scales200k[2].thousands,
         scales1m[0].thousands, scales1m[1].thousands, scales1m[2].thousands);
  const auto grid = GridExtentNames();
  usage += Tr("Sheets of rows %1 to %2 and zones %3 to %4, %5 and %6; letters Latin.\n", grid[0],
              grid[1], grid[2], grid[3], grid[4], grid[5]);
  usage += '\n';
  usage +=
      Tr("Angles of --find and --index: decimal degrees (55.75) or degrees and minutes\n"
         "as in the parameter file (55°45' or \"55 45\"); west longitudes negative or\n"
         "180..360.\n"
         "  mapbasis --find 55.75 37.62      prints N-37 and N-37-II, one name a line, as\n"
         "      Nom takes it: each series, and the combined sheets of the northern belts\n"
         "      (T-45(4)); a point on an edge names the sheets on both sides.\n"
         "  mapbasis --index 55.1 37.1 55.9 38.9 index    writes index/SheetIndex (.shp,\n"
         "      .PRJ, .qml): a polygon per sheet of the series (--scale 200 by default)\n"
         "      with the fields Name, AdjWest, AdjEast, AdjNorth, AdjSouth; --cs as CS\n"
         "      above (%1 by default). West 179 east -179 crosses the 180th meridian.\n"
         "      At most 5000 sheets.\n",
         CoordinateSystemOf(kDefaultCoordinateSystem)->parameterText);
  usage += '\n';
  usage +=
      Tr("Exit status: 0 the sheets were generated; 8 refused or failed before\n"
         "generation; 16 generation failed; with several files, the highest of their\n"
         "statuses. Each failure prints one line on stderr. --find and --index end with\n"
         "0, 8 when refused, 16 when the index (or the names) could not be written;\n"
         "--help and --version with 16 when they could not be written.\n");
  return Cp1251ToUtf8(usage);
}

// The argument counts in characters, as a path of the platform does.
std::size_t CharacterCount(const std::string& text) {
  if (!IsValidUtf8(text)) return text.size();
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// Why the parameter file cannot be read, in the system's words; empty when it is there. A missing
// file is said plainly.
std::string WhyNoFile(const std::filesystem::path& path) {
  platform::EntryType type = platform::EntryType::kMissing;
  if (std::error_code error = platform::FollowedStatusOf(path, type)) return SystemErrorText(error);
  return type == platform::EntryType::kMissing ? Tr("no such file") : "";
}

// One line of diagnostics; `text` is cp1251.
void Say(std::ostream& out, std::string_view text) {
  out << "mapbasis: " << Cp1251ToUtf8(text) << '\n';
}

// Everything after the parameters are known: the checks that can refuse the sheet before anything
// is touched, the sheet generated in memory, then the folders and the sheet put in place. What
// failed, and when, decides the exit status.
enum class Stage { kChecks, kFolders, kGeneration };

struct StageFailure {
  Stage stage = Stage::kChecks;
  Outcome outcome;
};

// A sheet that cannot be held is a generation failure; a result folder that cannot be used or
// made is a folder failure. Both are found before anything is made.
std::optional<StageFailure> CheckBeforeTouching(platform::FileSystem& system,
                                                const SheetParameters& p,
                                                const ResultFolders& folders) {
  if (Outcome fits = CheckSheetFits(p); !fits.ok()) {
    return StageFailure{Stage::kGeneration, std::move(fits)};
  }
  if (Outcome usable = CheckResultFolder(system, folders); !usable.ok()) {
    return StageFailure{Stage::kFolders, std::move(usable)};
  }
  return std::nullopt;
}

// The sheet's files, generated in memory: a sheet that cannot be made is refused with nothing on
// disk touched.
std::optional<StageFailure> Generate(const SheetParameters& p, const ResultFolders& folders,
                                     const GenerationStages& stages, GenerationWork& work) {
  if (Outcome generated = RunGeneration(p, folders, work, stages); !generated.ok()) {
    return StageFailure{Stage::kGeneration, std::move(generated)};
  }
  return std::nullopt;
}

// Puts the sheet in place, all or nothing (publish/publish_sheet.h); says whether the layers of an
// earlier run were there. What stands there already, byte for byte, is left as it is (and taken
// out of `files`). A folder that cannot take the sheet refuses it, as the checks would have.
std::optional<StageFailure> PutInPlace(platform::FileSystem& system, const ResultFolders& folders,
                                       FileSets& files, bool& replacedOldLayers) {
  Published published = PublishSheet(system, folders, kSheetProjectName, files);
  if (!published.outcome.ok()) {
    return StageFailure{published.refused ? Stage::kFolders : Stage::kGeneration,
                        std::move(published.outcome)};
  }
  replacedOldLayers = published.replacedOldLayers;
  return std::nullopt;
}

}  // namespace

int RunBatch(const std::string& file, std::ostream& diagnostics) {
  platform::NativeFileSystem system;
  return RunBatch(file, diagnostics, system);
}

int RunBatch(const std::string& file, std::ostream& diagnostics, platform::FileSystem& system) {
  if (file.empty()) {
    Say(diagnostics, Tr("the parameter-file path is empty"));
    return kExitNotDone;
  }
  // A cut path could name another file: an over-long one is refused, not shortened.
  if (CharacterCount(file) > kPathLength) {
    Say(diagnostics, Tr("the parameter-file path is longer than %1 characters", kPathLength));
    return kExitNotDone;
  }
  // The argument is UTF-8; the path takes it as such on every platform.
  const std::filesystem::path path(std::u8string(file.begin(), file.end()));
  const std::string shown = EchoPath(DisplayPath(path));
  if (const std::string why = WhyNoFile(path); !why.empty()) {
    Say(diagnostics, shown + ": " + why);
    return kExitNotDone;
  }

  // Running out of memory (or any other exception) ends the run like any failure: one line, and
  // the status of the stage it happened in.
  Stage stage = Stage::kChecks;
  const std::string outOfMemory = Cp1251ToUtf8(Tr("out of memory"));
  try {
    SheetParameters p;
    if (Outcome read = ReadParamFile(path, p); !read.ok()) {
      Say(diagnostics, read.reason);
      return kExitNotDone;
    }
    // Later failures name the parameter file too: a script may run many of them.
    const ResultFolders folders = ResultFoldersOf(p.Path);
    auto failure = CheckBeforeTouching(system, p, folders);
    stage = Stage::kGeneration;
    GenerationWork work;
    if (!failure) failure = Generate(p, folders, StandardStages(), work);
    bool replacedOldLayers = false;
    if (!failure) failure = PutInPlace(system, folders, work.Files, replacedOldLayers);
    if (!failure) return kExitDone;
    Say(diagnostics, shown + ": " + failure->outcome.reason);
    return failure->stage == Stage::kGeneration ? kExitGenerationFailed : kExitNotDone;
  } catch (const std::exception& e) {
    // Nothing here allocates: memory may still be short.
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    diagnostics << "mapbasis: " << Cp1251ToUtf8(shown) << ": " << (memory ? outOfMemory : e.what())
                << '\n';
    return stage == Stage::kGeneration ? kExitGenerationFailed : kExitNotDone;
  }
}

int RunInteractive(InteractiveShell& shell, const GenerationStages& stages) {
  // The dialogs speak Russian, the reasons in their boxes too.
  SetMessageLanguage(Language::kRussian);
  const std::string outOfMemory = Tr("out of memory");
  shell.ShowInfoDialog();
  SheetParameters p;
  if (shell.RunParameterDialog(p) != DialogVerdict::kConfirmed) return kExitNotDone;

  std::optional<StageFailure> failure;
  std::string done;
  try {
    // A typed result folder that is missing is made, as in a batch run, once the checks passed.
    platform::NativeFileSystem system;
    const ResultFolders folders = ResultFoldersOf(p.Path);
    failure = CheckBeforeTouching(system, p, folders);
    GenerationWork work;
    if (!failure) failure = Generate(p, folders, stages, work);
    // The box says so when the layers of an earlier run are replaced.
    bool replacing = false;
    if (!failure) failure = PutInPlace(system, folders, work.Files, replacing);
    if (!failure) done = DoneMessage(p, folders, replacing);
  } catch (const std::exception& e) {
    // What a run throws ends it as a batch run ends it, but in the box: a user started from the
    // desktop never sees the console.
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    shell.ShowMessage(
        NotDoneMessage(kTaskNotDone, memory ? outOfMemory : Utf8ToCp1251Lossy(e.what())),
        kAbnormalEnd, MessageIcon::Error);
    return kExitNotDone;
  }
  if (!failure) {
    shell.ShowMessage(done, kProcessingState, MessageIcon::Information);
    return kExitDone;
  }
  // The box says why, in the words a batch run prints.
  const std::string& why = failure->outcome.reason;
  if (failure->stage == Stage::kGeneration) {
    shell.ShowMessage(NotDoneMessage(kTaskNotDone, why), kAbnormalEnd, MessageIcon::Error);
  } else {
    shell.ShowMessage(NotDoneMessage(FolderFaultText(failure->outcome.fault), why), kTaskNotDone,
                      MessageIcon::Error);
  }
  return kExitNotDone;
}

int RunProgram(const std::vector<std::string>& args, InteractiveShell* shell, std::ostream& out,
               std::ostream& diagnostics) {
  // What cannot be written (stdout on a full disk, a closed pipe) is not done.
  const auto written = [&] {
    if (out.flush()) return kExitDone;
    Say(diagnostics, Tr("cannot write to the standard output"));
    return kExitGenerationFailed;
  };
  if (!args.empty() && (args.front() == "--help" || args.front() == "-h")) {
    out << Usage();
    return written();
  }
  if (!args.empty() && args.front() == "--version") {
    out << "mapbasis " << ProgramVersion() << '\n';
    return written();
  }
  if (!args.empty() && args.front() == "--find") {
    return RunFindCommand(std::span(args).subspan(1), out, diagnostics);
  }
  if (!args.empty() && args.front() == "--index") {
    return RunIndexCommand(std::span(args).subspan(1), diagnostics);
  }
  if (!args.empty()) {
    // Each file makes its sheet, as a compiler takes several sources; one that fails says so in
    // its own line and the others are still made. The worst outcome is the run's.
    int status = kExitDone;
    for (const std::string& file : args) status = std::max(status, RunBatch(file, diagnostics));
    return status;
  }
  if (shell == nullptr) {
    Say(diagnostics, Tr("the interactive mode is not available in this build; give the path of a "
                        "parameter file"));
    return kExitNotDone;
  }
  return RunInteractive(*shell);
}

}  // namespace mapbasis
