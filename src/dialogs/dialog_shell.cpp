#include "dialogs/dialog_shell.h"

#include <memory>

#include "core/cp1251.h"
#include "core/messages.h"
#include "dialogs/dialog_ids.h"

namespace mapbasis {

std::string Dialog::GetTextUtf8(int controlId) const { return Cp1251ToUtf8(GetText(controlId)); }

DialogShell::DialogShell(DialogToolkit& toolkit, std::ostream& textOutput)
    : dialogs_{toolkit, textOutput, {}} {
  // The dialogs speak Russian whatever the user's locale, the reasons in their boxes too.
  SetMessageLanguage(Language::kRussian);
}

void DialogShell::ShowInfoDialog() {
  if (const std::unique_ptr<Dialog> info = dialogs_.toolkit.DlgInit(ids::kInfoDialog)) {
    info->DlgModal();
  }
}

DialogVerdict DialogShell::RunParameterDialog(SheetParameters& p) {
  return mapbasis::RunParameterDialog(dialogs_, p);
}

void DialogShell::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
  dialogs_.toolkit.ShowMessageBox(
      text, caption, icon == MessageIcon::Error ? BoxIcon::Error : BoxIcon::Information);
}

}  // namespace mapbasis
