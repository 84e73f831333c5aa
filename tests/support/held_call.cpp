// Preloaded into the program under test: the first mkdir, rename or renameat2 whose target path
// ends with MAPBASIS_HOLD_PATH stops before it is made, until the test lets it go. The program
// writes MAPBASIS_HOLD_DIR/held when it stops there and waits for MAPBASIS_HOLD_DIR/go; once the
// call is made, MAPBASIS_HOLD_DIR/done holds the errno it ended with (0 on success). A test that
// dies leaves the program stopped for at most two minutes.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

bool gHeldOnce = false;

template <class Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

bool IsHeld(const char* path) {
  const char* wanted = std::getenv("MAPBASIS_HOLD_PATH");
  if (gHeldOnce || wanted == nullptr || *wanted == '\0' || path == nullptr) return false;
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  const std::size_t n = std::strlen(wanted);
  if (p.size() < n || p.compare(p.size() - n, n, wanted) != 0) return false;
  return p.size() == n || p[p.size() - n - 1] == '/';
}

void Mark(const char* name, const std::string& text) {
  const std::string file = std::string(std::getenv("MAPBASIS_HOLD_DIR")) + "/" + name;
  const std::string temporary = file + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  static const auto realRename = Next<int (*)(const char*, const char*)>("rename");
  if (written) realRename(temporary.c_str(), file.c_str());  // whole, or not there
}

// Stops until the test writes its go file; a dead test lets the program go after two minutes.
void Hold() {
  gHeldOnce = true;
  Mark("held", std::to_string(::getpid()));
  const std::string go = std::string(std::getenv("MAPBASIS_HOLD_DIR")) + "/go";
  const timespec pause{0, 2'000'000};
  for (int i = 0; i < 60'000 && ::access(go.c_str(), F_OK) != 0; ++i) ::nanosleep(&pause, nullptr);
}

template <class Call>
int Made(bool held, Call call) {
  const int result = call();
  if (held) {
    const int error = result == 0 ? 0 : errno;
    Mark("done", std::to_string(error));
    errno = error;
  }
  return result;
}

}  // namespace

extern "C" {

int mkdir(const char* path, mode_t mode) {
  static const auto next = Next<int (*)(const char*, mode_t)>("mkdir");
  const bool held = IsHeld(path);
  if (held) Hold();
  return Made(held, [&] { return next(path, mode); });
}

int rename(const char* from, const char* to) {
  static const auto next = Next<int (*)(const char*, const char*)>("rename");
  const bool held = IsHeld(to);
  if (held) Hold();
  return Made(held, [&] { return next(from, to); });
}

// The program puts a file into a free name with renameat2 (RENAME_NOREPLACE).
int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
  static const auto next = Next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
  const bool held = IsHeld(to);
  if (held) Hold();
  return Made(held, [&] { return next(fromFolder, from, toFolder, to, flags); });
}

}  // extern "C"
