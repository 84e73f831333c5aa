// The dialog layer on the Windows API: the dialogs are made from their description
// (dialogs/dialog_description.h) as templates in memory, shown modally by the program's own
// message loop, message boxes are the system's, and the folder picker is the
// system's folder dialog. Texts are cp1251 in the layer and UTF-16 at the API.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialog_layer.h"

namespace mapbasis {

// cp1251 to UTF-16 and back; characters cp1251 lacks become question marks. A lone carriage
// return, which ends a line of a message, becomes the CR LF the system draws as a line break.
std::wstring WideFromCp1251(std::string_view cp1251);
std::wstring MessageWideFromCp1251(std::string_view cp1251);
std::string Cp1251FromWide(std::wstring_view wide);

class Win32Toolkit;

// One dialog made from its description. It is created hidden and lives until destroyed, so its
// controls keep what they hold, and it comes back where the user left it, between showings.
class Win32Dialog final : public Dialog {
 public:
  Win32Dialog(Win32Toolkit& toolkit, int resourceId);
  ~Win32Dialog() override;
  Win32Dialog(const Win32Dialog&) = delete;
  Win32Dialog& operator=(const Win32Dialog&) = delete;

  bool created() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }

  void SetText(int controlId, std::string_view text) override;
  std::string GetText(int controlId) const override;
  std::string GetTextUtf8(int controlId) const override;
  void SetItemCount(int controlId, int count) override;
  void SetItemText(int controlId, int item, std::string_view text) override;
  void SetSelection(int controlId, int item) override;
  int GetSelection(int controlId) const override;
  void SetEnabled(int controlId, bool enabled) override;
  // Puts the keyboard focus on a control (an edit field's text selected), now when the dialog is
  // being shown, else when it is shown next.
  void SetFocus(int controlId) override;
  void DlgSetSub(int controlId, Callback callback) override;
  int DlgModal() override;
  void DlgEnd(int buttonId) override;

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND Control(int controlId) const;
  HWND List(int controlId) const;
  void Dispatch(int controlId, DialogReason reason);
  void ApplyFocus();

  Win32Toolkit& toolkit_;
  const int resourceId_;
  HWND hwnd_ = nullptr;
  std::map<int, Callback> callbacks_;
  bool modal_ = false;            // the modal loop runs
  int closedBy_ = 0;              // the closing button, once pressed
  int focusId_ = 0;               // a control to focus when the dialog is shown, or 0
  HWND lastFocus_ = nullptr;      // the control that had the focus when the dialog was closed
  HWND disabledOwner_ = nullptr;  // the owner this dialog disabled, enabled again when it goes
};

class Win32Toolkit final : public DialogToolkit {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;

  std::unique_ptr<Dialog> DlgInit(int resourceId) override;
  void ShowMessageBox(std::string_view text, std::string_view caption, BoxIcon icon) override;
  std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path& initial,
                                                    std::string_view title) override;

  // The window that owns what opens next: the dialog made last that still lives, or none (the
  // desktop) before the first and after the last.
  HWND Owner() const { return dialogs_.empty() ? nullptr : dialogs_.back(); }
  void Opened(HWND dialog) { dialogs_.push_back(dialog); }
  void Closed(HWND dialog);

 private:
  std::vector<HWND> dialogs_;
  bool comReady_ = false;
};

// The folder pickers (folder_picker.cpp): the system's folder dialog, and the open-file dialog
// where that cannot be had. Each returns the chosen folder, or nothing when the user cancelled;
// the first says through `available` whether it could be shown at all.
std::optional<std::filesystem::path> PickFolderModern(HWND owner, const std::wstring& initial,
                                                      const std::wstring& title, bool& available);
std::optional<std::filesystem::path> PickFolderClassic(HWND owner, const std::wstring& initial,
                                                       const std::wstring& title);

}  // namespace mapbasis
