// The program speaks its user's language: a batch run's lines, --help and the grid commands in
// Russian under a Russian locale and in English otherwise, from the catalogue built into the
// program; the Russian catalogue is complete.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/messages.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::MapbasisExe;
using testing::ProcessOptions;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;

// Each failure a user meets most, with what it says in each language: the start of the line
// after "mapbasis: " and the place, which both languages share.
TEST(Messages, EachInTheUsersLanguage) {
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

TEST(Messages, HelpInTheUsersLanguage) {
  for (const auto& [locale, start] :
       {std::pair{"LC_ALL=C", "usage: mapbasis"}, {"LC_ALL=ru_RU.UTF-8", "запуск: mapbasis"}}) {
    ProcessOptions options;
    options.env = {locale};
    const ProcessResult r = RunProcess({MapbasisExe(), "--help"}, options);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out.rfind(start, 0), 0u) << r.out;
  }
}

// How a locale setting is read, as gettext reads it: LANGUAGE counts unless the locale is C.
TEST(Messages, LanguageOfTheLocale) {
  const struct {
    const char* locale;
    const char* preferred;
    Language language;
  } cases[] = {
      {"ru_RU.UTF-8", "", Language::kRussian},
      {"ru_UA.KOI8-U", "", Language::kRussian},
      {"ru-RU", "", Language::kRussian},
      {"ru", "", Language::kRussian},
      {"rus", "", Language::kEnglish},
      {"en_US.UTF-8", "", Language::kEnglish},
      {"de_DE.UTF-8", "", Language::kEnglish},
      {"", "ru", Language::kEnglish},
      {"C", "ru", Language::kEnglish},
      {"C.UTF-8", "ru", Language::kEnglish},
      {"de_DE.UTF-8", "fr:ru:en", Language::kRussian},
      {"ru_RU.UTF-8", "en:ru", Language::kEnglish},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageOfLocale(c.locale, c.preferred), c.language)
        << c.locale << " / " << c.preferred;
  }
}

// The placeholders take their arguments in the order the translation needs; English stands where
// no translation does.
TEST(Messages, Placeholders) {
  EXPECT_EQ(messages_detail::Fill("%2 before %1, %3 kept, 100%", {"a", "b"}),
            "b before a, %3 kept, 100%");
  const Language before = MessageLanguage();
  SetMessageLanguage(Language::kRussian);
  EXPECT_EQ(Tr("xTo %1 is not east of xFrom %2", "1", "2"),
            Cp1251("xTo 1 не восточнее xFrom 2").str());
  EXPECT_EQ(Tr("a message the catalogue lacks: %1", 7), "a message the catalogue lacks: 7");
  SetMessageLanguage(before);
}

}  // namespace
}  // namespace mapbasis
