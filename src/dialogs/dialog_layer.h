// The dialog layer the parameter dialogs are written against: modal dialogs made from a resource
// number and addressed by control ids, message boxes and a folder picker. Two faces provide it,
// the Qt module on Linux (qt/) and the Windows API on Windows (win32/); tests script a stand-in.
// Every text crossing this layer is cp1251; the lines of a message are separated by
// kMessageLineBreak (driver/shell_texts.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mapbasis {

// Why a callback runs: the user picked another item of a list, or clicked a button.
enum class DialogReason { SelectionChanged, Clicked };

enum class BoxIcon { Exclamation, Error, Information };

class Dialog {
 public:
  using Callback = std::function<void(Dialog& dialog, int controlId, DialogReason reason)>;

  virtual ~Dialog() = default;

  // The text of a static text or an edit field.
  virtual void SetText(int controlId, std::string_view text) = 0;
  virtual std::string GetText(int controlId) const = 0;
  // The same text as the user sees it (UTF-8), with the characters cp1251 lacks, which GetText
  // gives as question marks.
  virtual std::string GetTextUtf8(int controlId) const;

  // A drop-down list: its number of items, the text of item n (counted from 1), the selected
  // item (counted from 1; 0 when none). Setting them never runs a callback.
  virtual void SetItemCount(int controlId, int count) = 0;
  virtual void SetItemText(int controlId, int item, std::string_view text) = 0;
  virtual void SetSelection(int controlId, int item) = 0;
  virtual int GetSelection(int controlId) const = 0;

  virtual void SetEnabled(int controlId, bool enabled) = 0;
  // Moves the keyboard focus to the control, an edit field with its text selected.
  virtual void SetFocus(int controlId) = 0;

  // Registers the routine that runs when the user changes the control; replaces an earlier one.
  virtual void DlgSetSub(int controlId, Callback callback) = 0;

  // Shows the dialog until a closing button is pressed and returns its id: 1 for OK, 2 for Cancel
  // (closing the window counts as Cancel). The dialog keeps its contents and can be shown again.
  virtual int DlgModal() = 0;

  // Ends the modal showing from one of the dialog's callbacks, as the button of that id would.
  virtual void DlgEnd(int buttonId) = 0;
};

class DialogToolkit {
 public:
  virtual ~DialogToolkit() = default;

  // A fresh dialog made from its resource; null when there is no such resource.
  virtual std::unique_ptr<Dialog> DlgInit(int resourceId) = 0;

  // A modal message box with one OK button.
  virtual void ShowMessageBox(std::string_view text, std::string_view caption, BoxIcon icon) = 0;

  // Lets the user pick an existing folder, starting at `initial`; empty when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path& initial,
                                                            std::string_view title) = 0;
};

}  // namespace mapbasis
