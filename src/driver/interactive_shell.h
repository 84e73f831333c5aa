// What an interactive run needs from the user interface: the information dialog, the parameter
// dialog and a message box. The dialog layer provides it; the batch run never touches it.
#pragma once

#include <string_view>

#include "core/sheet_parameters.h"

namespace mapbasis {

enum class MessageIcon { Error, Information };

// How the user left the parameter dialog: with a record to run, or without one (Cancel, closing
// the window, or a dialog that could not be shown).
enum class DialogVerdict { kConfirmed, kCancelled };

class InteractiveShell {
 public:
  virtual ~InteractiveShell() = default;

  // Shows the information dialog until the user goes on.
  virtual void ShowInfoDialog() = 0;

  // Lets the user fill the record.
  virtual DialogVerdict RunParameterDialog(SheetParameters& p) = 0;

  // A modal message box with one OK button; text and caption are cp1251.
  virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
};

}  // namespace mapbasis
