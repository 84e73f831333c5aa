// The message catalogue in-process: the language a locale setting names, and the placeholders of
// a message filled in the order its translation needs.
#include "core/messages.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

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
