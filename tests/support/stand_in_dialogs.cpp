// Loaded by the program in place of its dialogs module (copied beside it as mapbasis_dialogs.so),
// with the shared C++ runtime, while the program carries a runtime of its own: what the user does
// in the dialogs comes from MAPBASIS_STAND_IN, so that a test can see everything cross the plain-C
// boundary between the two.
//   "run FILE"   the parameter dialog confirms the record read from the parameter file FILE
//   "cancel"     it is left without a record
//   "no memory"  it runs out of memory
//   "broken"     it fails with a reason of its own
// Every box shown is appended to the file MAPBASIS_STAND_IN_BOXES: caption, a tab, the text with
// its line breaks as '|', a newline (cp1251 as it came).
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "driver/interactive_module.h"
#include "params/param_file.h"

namespace mapbasis {
namespace {

class StandInShell final : public InteractiveShell {
 public:
  void ShowInfoDialog() override {}

  DialogVerdict RunParameterDialog(SheetParameters& p) override {
    const std::string action = std::getenv("MAPBASIS_STAND_IN");
    if (action == "no memory") throw std::bad_alloc();
    if (action == "broken") throw std::runtime_error("the stand-in dialog broke");
    if (action.rfind("run ", 0) != 0) return DialogVerdict::kCancelled;
    if (!ReadParamFile(action.substr(4), p).ok()) return DialogVerdict::kCancelled;
    return DialogVerdict::kConfirmed;
  }

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon) override {
    std::string line(caption);
    line += '\t';
    for (const char c : text) line += c == '\r' || c == '\n' ? '|' : c;
    std::ofstream(std::getenv("MAPBASIS_STAND_IN_BOXES"), std::ios::app) << line << '\n';
  }
};

}  // namespace
}  // namespace mapbasis

extern "C" __attribute__((visibility("default"))) bool mapbasis_open_dialogs(
    char* reason, std::size_t reasonSize, mapbasis_dialogs_handle* handle) {
  static_assert(
      std::is_same_v<decltype(&mapbasis_open_dialogs), mapbasis::InteractiveShellFactory>);
  mapbasis::WriteReasonLine(reason, reasonSize, {});
  *handle = mapbasis::HandOverShell(std::make_unique<mapbasis::StandInShell>());
  return true;
}
