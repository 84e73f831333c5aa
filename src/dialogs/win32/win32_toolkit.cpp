#include "dialogs/win32/win32_toolkit.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <utility>

#include "core/cp1251.h"
#include "dialogs/dialog_description.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/win32/dialog_template.h"
#include "driver/shell_texts.h"

// The module the resources (the picture, the icon) are linked into, whether that is the program or
// a library.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace mapbasis {

namespace {

HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t actual[32] = {};
  ::GetClassNameW(window, actual, 32);
  return ::lstrcmpiW(actual, name) == 0;
}

UINT BoxType(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error: return MB_ICONERROR;
    case BoxIcon::Information: return MB_ICONINFORMATION;
    case BoxIcon::Exclamation: break;
  }
  return MB_ICONEXCLAMATION;
}

// Every dialog carries the program's icon, which its taskbar button shows.
void ShowAsTheProgram(HWND dialog) {
  constexpr int kProgramIcon = 1;
  for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
    const int side = ::GetSystemMetrics(metric);
    if (HANDLE icon = ::LoadImageW(Module(), MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, side, side,
                                   LR_DEFAULTCOLOR | LR_SHARED)) {
      ::SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
  }
}

// An exception must not unwind through the system's frames: it waits until the modal loop ends.
std::exception_ptr gPendingException;

}  // namespace

std::wstring WideFromCp1251(std::string_view cp1251) {
  std::wstring wide;
  wide.reserve(cp1251.size());
  for (const char c : cp1251) {
    const auto byte = static_cast<unsigned char>(c);
    wide.push_back(byte < 0x80 ? static_cast<wchar_t>(byte)
                               : static_cast<wchar_t>(cp1251_detail::kUpperHalf[byte - 0x80]));
  }
  return wide;
}

std::wstring MessageWideFromCp1251(std::string_view cp1251) {
  const std::wstring text = WideFromCp1251(cp1251);
  std::wstring lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    lines.push_back(text[i]);
    if (text[i] == static_cast<wchar_t>(kMessageLineBreak) &&
        (i + 1 == text.size() || text[i + 1] != L'\n')) {
      lines.push_back(L'\n');
    }
  }
  return lines;
}

std::string Cp1251FromWide(std::wstring_view wide) {
  std::string text;
  text.reserve(wide.size());
  for (const wchar_t c : wide) {
    const int byte = cp1251_detail::ByteOf(static_cast<char32_t>(c));
    text.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return text;
}

Win32Dialog::Win32Dialog(Win32Toolkit& toolkit, int resourceId)
    : toolkit_(toolkit), resourceId_(resourceId) {
  const DialogDescription* description = FindDialog(resourceId);
  if (description == nullptr) return;
  // Made from the description in memory; WM_INITDIALOG stores the handle; the dialog is made
  // hidden. A dialog without a title bar still has its title, which names it in the taskbar.
  const std::vector<std::uint16_t> dialogTemplate = BuildDialogTemplate(*description);
  ::CreateDialogIndirectParamW(Module(), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                               toolkit.Owner(), &Procedure, reinterpret_cast<LPARAM>(this));
  if (hwnd_ != nullptr) toolkit_.Opened(hwnd_);
}

Win32Dialog::~Win32Dialog() {
  if (hwnd_ == nullptr) return;
  // The owner takes the activation back before this dialog goes.
  if (disabledOwner_ != nullptr) ::EnableWindow(disabledOwner_, TRUE);
  toolkit_.Closed(hwnd_);
  ::DestroyWindow(hwnd_);
}

HWND Win32Dialog::Control(int controlId) const {
  HWND control = ::GetDlgItem(hwnd_, controlId);
  if (control == nullptr) {
    std::fprintf(stderr, "mapbasis: dialog %d has no control %d\n", resourceId_, controlId);
  }
  return control;
}

HWND Win32Dialog::List(int controlId) const {
  HWND control = Control(controlId);
  if (control != nullptr && !IsClass(control, WC_COMBOBOXW)) {
    std::fprintf(stderr, "mapbasis: control %d of dialog %d is not a list\n", controlId,
                 resourceId_);
    return nullptr;
  }
  return control;
}

void Win32Dialog::SetText(int controlId, std::string_view text) {
  if (HWND control = Control(controlId)) {
    ::SetWindowTextW(control, WideFromCp1251(text).c_str());
  }
}

std::string Win32Dialog::GetText(int controlId) const {
  HWND control = Control(controlId);
  if (control == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return Cp1251FromWide(text);
}

std::string Win32Dialog::GetTextUtf8(int controlId) const {
  HWND control = Control(controlId);
  if (control == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(std::max(size, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
  return utf8;
}

void Win32Dialog::SetItemCount(int controlId, int count) {
  HWND list = List(controlId);
  if (list == nullptr) return;
  LRESULT have = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (; have > count && have > 0; --have) ::SendMessageW(list, CB_DELETESTRING, have - 1, 0);
  for (; have < count; ++have) {
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
  }
}

void Win32Dialog::SetItemText(int controlId, int item, std::string_view text) {
  HWND list = List(controlId);
  if (list == nullptr || item < 1 || item > ::SendMessageW(list, CB_GETCOUNT, 0, 0)) return;
  // A list item cannot be renamed: it is replaced, and stays selected if it was.
  const LRESULT selected = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
  ::SendMessageW(list, CB_DELETESTRING, item - 1, 0);
  ::SendMessageW(list, CB_INSERTSTRING, item - 1,
                 reinterpret_cast<LPARAM>(WideFromCp1251(text).c_str()));
  if (selected == item - 1) ::SendMessageW(list, CB_SETCURSEL, item - 1, 0);
}

void Win32Dialog::SetSelection(int controlId, int item) {
  HWND list = List(controlId);
  if (list == nullptr) return;
  const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
  ::SendMessageW(list, CB_SETCURSEL, item >= 1 && item <= count ? item - 1 : -1, 0);
}

int Win32Dialog::GetSelection(int controlId) const {
  HWND list = List(controlId);
  if (list == nullptr) return 0;
  const LRESULT selected = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? 0 : static_cast<int>(selected) + 1;
}

void Win32Dialog::SetEnabled(int controlId, bool enabled) {
  if (HWND control = Control(controlId)) ::EnableWindow(control, enabled ? TRUE : FALSE);
}

void Win32Dialog::SetFocus(int controlId) {
  if (Control(controlId) == nullptr) return;
  focusId_ = controlId;
  if (modal_) ApplyFocus();
}

void Win32Dialog::ApplyFocus() {
  HWND target = focusId_ != 0 ? ::GetDlgItem(hwnd_, focusId_) : lastFocus_;
  focusId_ = 0;
  if (target == nullptr || !::IsChild(hwnd_, target)) return;
  // The dialog's own way of moving the focus: an edit field gets its text selected.
  ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

void Win32Dialog::DlgSetSub(int controlId, Callback callback) {
  if (Control(controlId) != nullptr) callbacks_[controlId] = std::move(callback);
}

int Win32Dialog::DlgModal() {
  if (hwnd_ == nullptr) return ids::kCancel;
  // The owner stays disabled until this dialog is gone, message boxes over it included.
  HWND owner = ::GetWindow(hwnd_, GW_OWNER);
  if (disabledOwner_ == nullptr && owner != nullptr && ::IsWindowEnabled(owner)) {
    ::EnableWindow(owner, FALSE);
    disabledOwner_ = owner;
  }
  ::EnableWindow(hwnd_, TRUE);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  modal_ = true;
  closedBy_ = 0;
  ApplyFocus();

  MSG message;
  while (closedBy_ == 0) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The quit message belongs to whoever runs the outer loop.
      if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
      closedBy_ = ids::kCancel;
      break;
    }
    if (!::IsDialogMessageW(hwnd_, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  modal_ = false;
  HWND focus = ::GetFocus();
  lastFocus_ = ::IsChild(hwnd_, focus) ? focus : nullptr;
  // Shown, but deaf, until it is shown modally again or goes: a refused OK leaves it where it
  // stands under the message that says why.
  ::EnableWindow(hwnd_, FALSE);
  if (gPendingException) std::rethrow_exception(std::exchange(gPendingException, nullptr));
  return closedBy_;
}

void Win32Dialog::DlgEnd(int buttonId) {
  if (modal_) closedBy_ = buttonId;
}

void Win32Dialog::Dispatch(int controlId, DialogReason reason) {
  const auto found = callbacks_.find(controlId);
  if (found == callbacks_.end()) return;
  const Callback callback = found->second;  // the callback may register another
  try {
    callback(*this, controlId, reason);
  } catch (...) {
    gPendingException = std::current_exception();
    closedBy_ = ids::kCancel;
  }
}

INT_PTR CALLBACK Win32Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Win32Dialog*>(lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    ShowAsTheProgram(hwnd);
    return TRUE;
  }
  auto* self = reinterpret_cast<Win32Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == ids::kOk || id == ids::kCancel) {
        // Enter and Escape come as the default button and as Cancel, with or without a control.
        if (code == BN_CLICKED && self->modal_) self->closedBy_ = id;
        return TRUE;
      }
      if (code == CBN_SELCHANGE && IsClass(reinterpret_cast<HWND>(lParam), WC_COMBOBOXW)) {
        self->Dispatch(id, DialogReason::SelectionChanged);
      } else if (code == BN_CLICKED && lParam != 0 &&
                 IsClass(reinterpret_cast<HWND>(lParam), WC_BUTTONW)) {
        self->Dispatch(id, DialogReason::Clicked);
      }
      return TRUE;
    }
    case WM_CLOSE:
      if (self->modal_) self->closedBy_ = ids::kCancel;
      return TRUE;
    default: return FALSE;
  }
}

Win32Toolkit::Win32Toolkit() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  comReady_ =
      SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

Win32Toolkit::~Win32Toolkit() {
  if (comReady_) ::CoUninitialize();
}

void Win32Toolkit::Closed(HWND dialog) { std::erase(dialogs_, dialog); }

std::unique_ptr<Dialog> Win32Toolkit::DlgInit(int resourceId) {
  auto dialog = std::make_unique<Win32Dialog>(*this, resourceId);
  if (!dialog->created()) return nullptr;
  return dialog;
}

void Win32Toolkit::ShowMessageBox(std::string_view text, std::string_view caption, BoxIcon icon) {
  HWND owner = Owner();
  // Without a dialog to sit on, the box comes to the front by itself.
  const UINT type = MB_OK | BoxType(icon) | (owner == nullptr ? MB_SETFOREGROUND : 0u);
  ::MessageBoxW(owner, MessageWideFromCp1251(text).c_str(), WideFromCp1251(caption).c_str(), type);
}

std::optional<std::filesystem::path> Win32Toolkit::ChooseFolder(
    const std::filesystem::path& initial, std::string_view title) {
  const std::wstring start = initial.wstring();
  const std::wstring caption = WideFromCp1251(title);
  if (comReady_) {
    bool available = false;
    std::optional<std::filesystem::path> chosen =
        PickFolderModern(Owner(), start, caption, available);
    if (available) return chosen;
  }
  return PickFolderClassic(Owner(), start, caption);
}

}  // namespace mapbasis
