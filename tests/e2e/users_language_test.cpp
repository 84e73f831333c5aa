// The program speaks its user's language: a batch run's lines and the grid commands' in Russian
// under a Russian locale and in English otherwise, from the catalogue built into the program.
#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "support/run_process.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::MapbasisExe;
using testing::ProcessOptions;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;

// Each failure a user meets most, with what it says in each language: the start of the line
// after "mapbasis: " and the place, which both languages share.
TEST(UsersLanguage, FailureLinesUnderEachLocale) {
  const struct Case {
    const char* what;
    std::vector<std::string> args;
    std::string params;  // bytes of p.txt
    int status;
    std::string english, russian;
  } cases[] = {
      {"a missing file",
       {"missing.txt"},
       "",
       8,
       "missing.txt: no such file",
       "missing.txt: нет такого файла"},
      {"a key in the wrong case",
       {"p.txt"},
       "cs=CK-42;",
       8,
       "p.txt:1: unknown key \"cs\": keys are case-sensitive; write \"CS\"",
       "p.txt:1: неизвестный ключ \"cs\": в ключах важен регистр букв; пишите \"CS\""},
      {"a sheet outside the grid",
       {"p.txt"},
       "Nom=K-31;Path=out;",
       8,
       "p.txt:1: \"Nom\" value \"K-31\" is outside the sheets this program covers",
       "p.txt:1: лист \"K-31\" ключа \"Nom\" лежит за пределами листов, которые строит программа"},
      {"too many meridians",
       {"p.txt"},
       "Nom=N-37;Path=out;MeridianStep=0 01;",
       16,
       "p.txt: the sheet would carry more than 100 meridians; choose a larger MeridianStep",
       "p.txt: на листе было бы больше 100 меридианов; задайте большее MeridianStep"},
      {"a cp1251 file saved as UTF-8",
       {"p.txt"},
       "CS=\xEF\xBF\xBD"
       "CK-2011;",
       8,
       "p.txt:1: the line holds U+FFFD, the mark an editor leaves",
       "p.txt:1: в строке есть знак U+FFFD, который редактор ставит"},
      {"the system's words",
       {"p.txt/q.txt"},
       "Nom=N-37;",
       8,
       "p.txt/q.txt: Not a directory",
       "p.txt/q.txt: часть пути — не папка"},
      {"--find off the grid",
       {"--find", "10", "37"},
       "",
       8,
       "the point \"10\" \"37\" lies outside the sheet grid, which spans 40° to 84° N",
       "точка \"10\" \"37\" лежит вне разграфки листов, которая охватывает от 40° до 84° с. ш."},
  };
  const struct Locale {
    std::vector<std::string> env;
    bool russian;
  } locales[] = {
      {{"LC_ALL=C", "LANGUAGE=ru"}, false},
      {{"LC_ALL=ru_RU.UTF-8"}, true},
      {{"LC_ALL=", "LC_MESSAGES=", "LANG=ru_RU.UTF-8"}, true},
      {{"LC_ALL=de_DE.UTF-8", "LANGUAGE=ru:de"}, true},
      {{"LC_ALL=en_US.UTF-8"}, false},
  };
  for (const Case& c : cases) {
    for (const Locale& locale : locales) {
      SCOPED_TRACE(std::string(c.what) + " under " + locale.env.front());
      TempDir dir;
      if (!c.params.empty()) std::ofstream(dir.path() / "p.txt", std::ios::binary) << c.params;
      ProcessOptions options;
      options.workingDir = dir.path().string();
      options.env = locale.env;
      std::vector<std::string> argv{MapbasisExe()};
      argv.insert(argv.end(), c.args.begin(), c.args.end());
      const ProcessResult r = RunProcess(argv, options);
      EXPECT_EQ(r.exitStatus, c.status);
      EXPECT_EQ(r.err.rfind("mapbasis: " + (locale.russian ? c.russian : c.english), 0), 0u)
          << r.err;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
  }
}

}  // namespace
}  // namespace mapbasis
