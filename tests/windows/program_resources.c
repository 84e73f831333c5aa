/* Reads a Windows program's resources through the system's own calls, as Explorer does: the
 * version resource's strings and whether the program has its icon. Built and run under Wine by
 * tests/windows/wine_check.py.
 *
 *     program_resources.exe PROGRAM.exe    prints "Name=value" lines (UTF-8) and "icon=yes|no" */
#include <windows.h>

#include <stdio.h>

static void Print(const wchar_t* name, const wchar_t* value) {
  char utf8[1024];
  char key[128];
  WideCharToMultiByte(CP_UTF8, 0, name, -1, key, sizeof key, NULL, NULL);
  WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8, sizeof utf8, NULL, NULL);
  printf("%s=%s\n", key, utf8);
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(argv[1], &handle);
  if (size > 0) {
    void* data = HeapAlloc(GetProcessHeap(), 0, size);
    if (data != NULL && GetFileVersionInfoW(argv[1], 0, size, data)) {
      static const wchar_t* const names[] = {L"ProductName", L"ProductVersion", L"FileVersion",
                                             L"FileDescription", L"OriginalFilename"};
      for (int i = 0; i < 5; ++i) {
        wchar_t path[128];
        wsprintfW(path, L"\\StringFileInfo\\041904B0\\%s", names[i]);
        wchar_t* value = NULL;
        UINT length = 0;
        if (VerQueryValueW(data, path, (void**)&value, &length) && length > 0) {
          Print(names[i], value);
        }
      }
    }
  }
  HMODULE module = LoadLibraryExW(argv[1], NULL, LOAD_LIBRARY_AS_DATAFILE);
  const int icon = module != NULL && FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  printf("icon=%s\n", icon ? "yes" : "no");
  return 0;
}
