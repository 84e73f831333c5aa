#include "driver/program.h"

#include <filesystem>
#include <system_error>

#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "driver/output_folders.h"
#include "driver/run_generation.h"
#include "params/param_file.h"

namespace mapbasis {

namespace {

constexpr auto kTaskNotDone = Cp1251("Задание НЕ ВЫПОЛНЕНО");
constexpr auto kAbnormalEnd = Cp1251("АВАРИЙНОЕ ЗАВЕРШЕНИЕ");
constexpr auto kTaskDone = Cp1251("Задание выполнено");
constexpr auto kProcessingState = Cp1251("Состояние обработки");
constexpr auto kNoResultFolder = Cp1251("Не существует заданная папка результата");
constexpr auto kNoHypsFolder = Cp1251("Не удалось создать папку HYPS");
constexpr auto kNoFrameFolder = Cp1251("Не удалось создать папку FRAME");
constexpr auto kUnspecifiedError = Cp1251("Неспецифицированная ошибка");

// The argument counts in characters, as a path of the platform does.
std::size_t CharacterCount(const std::string& text) {
  if (!IsValidUtf8(text)) return text.size();
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::string_view FolderMessage(std::int32_t status) {
  switch (status) {
    case kResultFolderMissing: return kNoResultFolder;
    case kHypsFolderFailed: return kNoHypsFolder;
    case kFrameFolderFailed: return kNoFrameFolder;
    default: return kUnspecifiedError;
  }
}

// One line of diagnostics; `text` is cp1251.
void Say(std::ostream& out, std::string_view text) {
  out << "mapbasis: " << Cp1251ToUtf8(text) << '\n';
}

}  // namespace

int RunBatch(const std::string& file, std::ostream& diagnostics) {
  // A cut path could name another file: an over-long one is refused, not shortened.
  if (CharacterCount(file) > kPathLength) {
    Say(diagnostics,
        "the parameter-file path is longer than " + std::to_string(kPathLength) + " characters");
    return kExitNotDone;
  }
  const std::filesystem::path path(file);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    Say(diagnostics, DisplayPath(path) + ": no such file");
    return kExitNotDone;
  }

  SheetParameters p;
  if (Outcome read = READARGFILE(path, p); !read.ok()) {
    Say(diagnostics, read.reason);
    return kExitNotDone;
  }
  // Later failures name the parameter file too: a script may run many of them.
  const std::string source = DisplayPath(path) + ": ";
  if (Outcome ready = PATHPROCESS(TrimTrailingBlanks(p.Path), p.Path, p.FramePath); !ready.ok()) {
    Say(diagnostics, source + ready.reason);
    return kExitNotDone;
  }
  GenerationWork work;
  if (Outcome generated = RunGeneration(p, work); !generated.ok()) {
    Say(diagnostics, source + generated.reason);
    return kExitGenerationFailed;
  }
  return kExitDone;
}

int RunInteractive(InteractiveShell& shell) {
  shell.STARTDIALOG();
  SheetParameters p;
  p.Status = shell.RUNDIALOG1(p);
  if (p.Status != 0) return kExitNotDone;

  const Outcome ready = PATHPROCESS(TrimTrailingBlanks(p.Path), p.Path, p.FramePath);
  if (!ready.ok()) {
    shell.ShowMessage(FolderMessage(ready.status), kTaskNotDone, MessageIcon::Error);
    return kExitNotDone;
  }
  GenerationWork work;
  if (!RunGeneration(p, work).ok()) {
    shell.ShowMessage(kTaskNotDone, kAbnormalEnd, MessageIcon::Error);
    return kExitNotDone;
  }
  shell.ShowMessage(kTaskDone, kProcessingState, MessageIcon::Information);
  return kExitDone;
}

int RunProgram(const std::vector<std::string>& args, InteractiveShell* shell,
               std::ostream& diagnostics) {
  if (!args.empty()) return RunBatch(args.front(), diagnostics);
  if (shell == nullptr) {
    Say(diagnostics,
        "the interactive mode is not available in this build; give the path of a parameter file");
    return kExitNotDone;
  }
  return RunInteractive(*shell);
}

}  // namespace mapbasis
