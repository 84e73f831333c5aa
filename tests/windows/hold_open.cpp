// Holds a file open as a GIS holds a layer it shows: for reading, sharing reading and writing with
// other programs but not deleting (nor renaming), until its standard input ends. It says "open" on
// its standard output once it holds the file, so that a test waits for that and for nothing else.
//
//     hold_open.exe FILE
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: hold_open.exe FILE\n", stderr);
    return 2;
  }
  HANDLE file = ::CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot open the file: error %lu\n", ::GetLastError());
    return 1;
  }
  std::puts("open");
  std::fflush(stdout);
  char buffer[64];
  while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
  }
  ::CloseHandle(file);
  return 0;
}
