// The interactive face of a run over a dialog toolkit: the information dialog, the parameter
// dialogs and the closing message box.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

#include "dialogs/dialog_layer.h"
#include "dialogs/parameter_dialog.h"
#include "driver/interactive_shell.h"

namespace mapbasis {

class DialogShell final : public InteractiveShell {
 public:
  // `textOutput` receives the line about a dialog that cannot be made. From here on the messages
  // are Russian.
  DialogShell(DialogToolkit& toolkit, std::ostream& textOutput);

  // Shows the information dialog, or nothing when it cannot be made.
  void ShowInfoDialog() override;
  DialogVerdict RunParameterDialog(SheetParameters& p) override;
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;

  const DialogState& state() const { return dialogs_.state; }

 private:
  ParameterDialogs dialogs_;
};

}  // namespace mapbasis
