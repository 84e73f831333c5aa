#include "driver/interactive_module.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include "core/cp1251.h"
#include "core/messages.h"
#include "platform/process.h"

namespace mapbasis {

#ifdef MAPBASIS_LINKED_DIALOGS
// Dialogs that need only the system's libraries (the Windows ones) are linked into the program.
extern "C" bool mapbasis_open_dialogs(char* reason, std::size_t reasonSize,
                                      mapbasis_dialogs_handle* handle);
#endif

namespace {

// Room for a line of reason.
constexpr std::size_t kReasonSize = 1024;

// The record as it crosses, and back. A folder longer than the room (which no dialog takes) or
// holding a zero byte cannot cross.
void ToRecord(const SheetParameters& p, mapbasis_sheet_record& record) {
  if (p.Path.size() >= sizeof record.path || p.Path.find('\0') != std::string::npos) {
    throw std::length_error(Cp1251ToUtf8(Tr("the result folder's path is too long")));
  }
  record.numbers = p;
  std::memcpy(record.path, p.Path.c_str(), p.Path.size() + 1);
}

void FromRecord(mapbasis_sheet_record& record, SheetParameters& p) {
  static_cast<SheetNumbers&>(p) = record.numbers;
  record.path[sizeof record.path - 1] = '\0';
  p.Path = record.path;
}

// --- The dialogs' side -------------------------------------------------------------------------

// A shell handed over, and the line of its last failure.
struct HandedShell {
  std::unique_ptr<InteractiveShell> shell;
  std::string failure;
};

HandedShell& Handed(mapbasis_dialogs* self) { return *reinterpret_cast<HandedShell*>(self); }

// Runs a call of the shell; what it throws becomes the call's result.
template <class Call>
int Guarded(mapbasis_dialogs* self, Call call) noexcept {
  try {
    return call(*Handed(self).shell);
  } catch (const std::bad_alloc&) {
    return kDialogsOutOfMemory;
  } catch (const std::exception& e) {
    try {
      Handed(self).failure = e.what();
    } catch (...) {
      return kDialogsOutOfMemory;
    }
    return kDialogsFailed;
  } catch (...) {
    Handed(self).failure.clear();
    return kDialogsFailed;
  }
}

const mapbasis_dialog_calls kHandedCalls = {
    [](mapbasis_dialogs* self) {
      return Guarded(self, [](InteractiveShell& shell) {
        shell.ShowInfoDialog();
        return kDialogsDone;
      });
    },
    [](mapbasis_dialogs* self, mapbasis_sheet_record* record) {
      return Guarded(self, [&](InteractiveShell& shell) {
        SheetParameters p;
        FromRecord(*record, p);
        if (shell.RunParameterDialog(p) != DialogVerdict::kConfirmed) return kDialogsDone;
        ToRecord(p, *record);
        return kDialogsConfirmed;
      });
    },
    [](mapbasis_dialogs* self, const char* text, std::size_t textSize, const char* caption,
       std::size_t captionSize, int icon) {
      return Guarded(self, [&](InteractiveShell& shell) {
        shell.ShowMessage(std::string_view(text, textSize), std::string_view(caption, captionSize),
                          static_cast<MessageIcon>(icon));
        return kDialogsDone;
      });
    },
    [](mapbasis_dialogs* self, char* line, std::size_t size) {
      WriteReasonLine(line, size, Handed(self).failure);
    },
    [](mapbasis_dialogs* self) { delete &Handed(self); },
};

// --- The program's side ------------------------------------------------------------------------

// The dialogs behind the C calls, as the run driver uses them.
class ShellOverCalls final : public InteractiveShell {
 public:
  explicit ShellOverCalls(mapbasis_dialogs_handle handle) : handle_(handle) {}
  ~ShellOverCalls() override { handle_.calls->close(handle_.self); }
  ShellOverCalls(const ShellOverCalls&) = delete;
  ShellOverCalls& operator=(const ShellOverCalls&) = delete;

  void ShowInfoDialog() override { Checked(handle_.calls->show_info(handle_.self)); }

  DialogVerdict RunParameterDialog(SheetParameters& p) override {
    auto record = std::make_unique<mapbasis_sheet_record>();
    ToRecord(p, *record);
    if (Checked(handle_.calls->run_parameter_dialog(handle_.self, record.get())) !=
        kDialogsConfirmed) {
      return DialogVerdict::kCancelled;
    }
    FromRecord(*record, p);
    return DialogVerdict::kConfirmed;
  }

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    Checked(handle_.calls->show_message(handle_.self, text.data(), text.size(), caption.data(),
                                        caption.size(), static_cast<int>(icon)));
  }

 private:
  // What the dialogs threw is thrown again here, as one line.
  int Checked(int result) {
    if (result == kDialogsOutOfMemory) throw std::bad_alloc();
    if (result == kDialogsFailed) {
      char line[kReasonSize] = {};
      handle_.calls->last_failure(handle_.self, line, sizeof line);
      throw std::runtime_error(line[0] != '\0' ? std::string(line)
                                               : Cp1251ToUtf8(Tr("the dialogs failed")));
    }
    return result;
  }

  mapbasis_dialogs_handle handle_;
};

LoadedShell MakeShell(InteractiveShellFactory factory) {
  char reason[kReasonSize] = {};
  mapbasis_dialogs_handle handle{nullptr, nullptr};
  if (!factory(reason, sizeof reason, &handle) || handle.self == nullptr ||
      handle.calls == nullptr) {
    reason[sizeof reason - 1] = '\0';
    std::string line(reason);
    line = line.substr(0, line.find('\n'));
    return {nullptr, line.empty() ? Cp1251ToUtf8(Tr("the dialogs could not be started")) : line};
  }
  try {
    return {std::make_unique<ShellOverCalls>(handle), {}};
  } catch (...) {
    handle.calls->close(handle.self);
    throw;
  }
}

}  // namespace

void WriteReasonLine(char* line, std::size_t size, std::string_view text) {
  if (size == 0) return;
  const std::size_t n = std::min(text.size(), size - 1);
  if (n > 0) std::memcpy(line, text.data(), n);  // an empty view may point nowhere
  line[n] = '\0';
}

mapbasis_dialogs_handle HandOverShell(std::unique_ptr<InteractiveShell> shell) {
  auto* handed = new HandedShell{std::move(shell), {}};
  return {reinterpret_cast<mapbasis_dialogs*>(handed), &kHandedCalls};
}

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
  return MakeShell(mapbasis_open_dialogs);
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
