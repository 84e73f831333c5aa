// The result folder is picked with the system's folder dialog; where that cannot be shown, with the
// open-file dialog, in which the user opens the folder and confirms without choosing a file. Both
// let the user make a new folder on the spot.
#include "dialogs/win32/win32_toolkit.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <string>

namespace mapbasis {

namespace {

// Releases a COM interface at the end of its scope.
template <class I>
struct Released {
  I* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
};

}  // namespace

std::optional<std::filesystem::path> PickFolderModern(HWND owner, const std::wstring& initial,
                                                      const std::wstring& title, bool& available) {
  available = false;
  Released<IFileOpenDialog> dialog;
  if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog.p)))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.p->GetOptions(&options);
  // The picker leaves the current directory alone; the caller restores it all the same.
  dialog.p->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST |
                       FOS_NOCHANGEDIR);
  dialog.p->SetTitle(title.c_str());
  if (!initial.empty()) {
    Released<IShellItem> start;
    if (SUCCEEDED(::SHCreateItemFromParsingName(initial.c_str(), nullptr, IID_IShellItem,
                                                reinterpret_cast<void**>(&start.p)))) {
      dialog.p->SetFolder(start.p);
    }
  }
  const HRESULT shown = dialog.p->Show(owner);
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
    available = true;
    return std::nullopt;
  }
  if (FAILED(shown)) return std::nullopt;
  available = true;

  Released<IShellItem> chosen;
  if (FAILED(dialog.p->GetResult(&chosen.p))) return std::nullopt;
  PWSTR path = nullptr;
  if (FAILED(chosen.p->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr) {
    return std::nullopt;
  }
  std::filesystem::path folder(path);
  ::CoTaskMemFree(path);
  return folder;
}

std::optional<std::filesystem::path> PickFolderClassic(HWND owner, const std::wstring& initial,
                                                       const std::wstring& title) {
  // One filter entry; the literal's own terminator ends the list.
  static const wchar_t kFilter[] = L"ПОИСК ПАПКИ\0*.*\0";
  std::wstring file(1024, L'\0');
  const std::wstring preset = L"Файл задавать не нужно";
  file.replace(0, preset.size(), preset);

  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = kFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
  request.lpstrTitle = title.c_str();
  // The folder must exist; the file need not.
  request.Flags = OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&request)) return std::nullopt;

  file.resize(file.find(L'\0'));
  const std::size_t cut = file.rfind(L'\\');
  if (cut == std::wstring::npos) return std::nullopt;
  return std::filesystem::path(file.substr(0, cut + 1));
}

}  // namespace mapbasis
