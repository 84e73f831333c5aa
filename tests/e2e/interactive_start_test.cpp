// How a run without arguments starts: the program loads the dialogs module from beside itself,
// and a module or display that cannot be had ends the run with one line and status 8. The batch
// program itself never links the GUI libraries.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::MapbasisExe;
using testing::RunProcess;
using testing::TempDir;

// Sets (or, with no value, removes) environment variables until the end of the scope.
class Environment {
 public:
  Environment(std::initializer_list<std::pair<const char*, std::optional<std::string>>> vars) {
    for (const auto& [name, value] : vars) {
      const char* old = std::getenv(name);
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      if (value) {
        setenv(name, value->c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
  }
  ~Environment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(InteractiveStart, WithoutModuleOrDisplayOneLineAndEight) {
  TempDir dir, work;
  const fs::path alone = dir.path() / "mapbasis";
  fs::copy_file(MapbasisExe(), alone);
  const fs::path module = fs::path(MapbasisExe()).parent_path() / "mapbasis_dialogs.so";
  const bool haveModule = fs::exists(module);
  // Modules that must be refused before they are mapped: one cut short (mapping it would end the
  // run with SIGBUS), one that is no library at all.
  TempDir cut, text;
  fs::copy_file(MapbasisExe(), cut.path() / "mapbasis");
  fs::copy_file(MapbasisExe(), text.path() / "mapbasis");
  if (haveModule) {
    fs::copy_file(module, cut.path() / "mapbasis_dialogs.so");
    fs::resize_file(cut.path() / "mapbasis_dialogs.so", fs::file_size(module) / 2);
  }
  std::ofstream(text.path() / "mapbasis_dialogs.so") << "not a library";

  const struct Case {
    const char* what;
    std::string exe;
    std::optional<std::string> display;
    const char* says;
    bool needsModule;
  } cases[] = {
      {"module missing", alone.string(), std::nullopt, "cannot load the dialogs: ", false},
      {"module cut short", (cut.path() / "mapbasis").string(), ":0",
       "cannot load the dialogs: ", true},
      {"module of another kind", (text.path() / "mapbasis").string(), ":0",
       "cannot load the dialogs: ", false},
      {"no display named", MapbasisExe(), std::nullopt, "cannot show the dialogs: no display",
       true},
      {"display unreachable", MapbasisExe(), ":9876", "cannot show the dialogs: ", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.needsModule && !haveModule) continue;  // built without the dialogs
    Environment env{{"DISPLAY", c.display}, {"WAYLAND_DISPLAY", {}}, {"QT_QPA_PLATFORM", {}}};
    const auto run = RunProcess({c.exe}, work.path().string());
    EXPECT_EQ(run.exitStatus, 8);
    EXPECT_EQ(run.err.rfind(std::string("mapbasis: ") + c.says, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(fs::is_empty(work.path()));
  }
}

#ifdef MAPBASIS_STAND_IN_DIALOGS
// The program carries its own C++ runtime, the dialogs module the shared one, and they meet in
// plain C. A stand-in module beside a copy of the program shows what crosses: the record the user
// confirmed (the sheet is made from it), the boxes, and what the dialogs threw, which ends the run
// with one line and 8.
TEST(InteractiveStart, TheDialogsMeetTheProgramInPlainC) {
  TempDir dir;
  fs::copy_file(MapbasisExe(), dir / "mapbasis");
  fs::copy_file(MAPBASIS_STAND_IN_DIALOGS, dir / "mapbasis_dialogs.so");
  std::ofstream(dir / "p.txt") << "Nom=N-37-XIV;Path=out;MapScale=500;CS=CK-95;";
  const struct Case {
    const char* action;
    int status;
    std::string err;    // what stderr holds, all of it
    std::string boxes;  // the boxes shown, UTF-8
  } cases[] = {
      {"run p.txt", 0, "",
       "Состояние обработки\tЗадание выполнено||Лист: N-37-XIV|Система координат: СК-95|"
       "Масштаб карты: 1 : 500 000|"},
      {"cancel", 8, "", ""},
      {"no memory", 8, "mapbasis: out of memory\n", ""},
      {"broken", 8, "mapbasis: the stand-in dialog broke\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    fs::remove_all(dir / "out");
    fs::remove(dir / "boxes");
    testing::ProcessOptions options{dir.path().string()};
    options.env = {std::string("MAPBASIS_STAND_IN=") + c.action,
                   "MAPBASIS_STAND_IN_BOXES=" + (dir / "boxes").string(), "LANGUAGE=", "LC_ALL=C"};
    const testing::ProcessResult r = RunProcess({(dir / "mapbasis").string()}, options);
    EXPECT_EQ(r.exitStatus, c.status) << r.err;
    EXPECT_EQ(r.err, c.err);
    std::ifstream in(dir / "boxes", std::ios::binary);
    const std::string boxes = Cp1251ToUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
    EXPECT_EQ(boxes.substr(0, c.boxes.size()), c.boxes);
    EXPECT_EQ(boxes.empty(), c.boxes.empty());
    EXPECT_EQ(fs::exists(dir / "out" / "FRAME" / "Frame.shp"), c.status == 0);
  }
}
#endif

TEST(InteractiveStart, ProgramDoesNotLinkQt) {
  const auto ldd = RunProcess({"/usr/bin/ldd", MapbasisExe()});
  ASSERT_EQ(ldd.exitStatus, 0) << ldd.err;
  EXPECT_NE(ldd.out.find("libc.so"), std::string::npos) << ldd.out;  // ldd did read it
  EXPECT_EQ(ldd.out.find("Qt"), std::string::npos) << ldd.out;
}

}  // namespace
}  // namespace mapbasis
