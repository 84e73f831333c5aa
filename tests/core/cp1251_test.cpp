#include "core/cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace mapbasis {
namespace {

TEST(Cp1251, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1251ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1251(utf8), all);
  EXPECT_EQ(Utf8ToCp1251Lossy(utf8), all);
  // The letters that the system's texts are made of.
  EXPECT_EQ(Cp1251ToUtf8(Cp1251("ГСК-2011 з.д. 52° Ёё №")), "ГСК-2011 з.д. 52° Ёё №");
  EXPECT_EQ(Cp1251("Г").view(), "\xC3");
  EXPECT_EQ(Cp1251("°").view(), "\xB0");
}

TEST(Cp1251, TextThatHasNoCp1251FormIsRefusedWhereItStands) {
  const struct {
    const char* what;
    std::string utf8;
    std::size_t badOffset;
  } cases[] = {
      {"a character cp1251 lacks", "ab\xE4\xB8\xAD", 2},  // 中
      {"a lone continuation byte", "a\x80", 1},          {"a cut sequence", "ab\xD0", 2},
      {"an overlong form of '/'", "\xC0\xAF", 0},        {"a surrogate", "x\xED\xA0\x80", 1},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::size_t offset = 99;
    EXPECT_FALSE(Utf8ToCp1251(c.utf8, &offset));
    EXPECT_EQ(offset, c.badOffset);
  }
  // Shown to a person, each such sequence is one question mark; the rest stays.
  EXPECT_EQ(Utf8ToCp1251Lossy("Карта \xE4\xB8\xAD \x80!"), Cp1251("Карта ? ?!").str());
}

TEST(Cp1251, PathsCarryCyrillicLettersBothWays) {
  const std::string name = Cp1251("Листы/N-37 \"карта\"").str();
  const std::filesystem::path path = PathFromCp1251(name);
  EXPECT_TRUE(path.u8string() == u8"Листы/N-37 \"карта\"");
  EXPECT_EQ(Cp1251FromPath(path), name);
  EXPECT_EQ(DisplayPath(path), name);
  // A path the system cannot hold in cp1251 is refused, and shown with a question mark.
  const std::filesystem::path foreign(u8"地图");
  EXPECT_FALSE(Cp1251FromPath(foreign));
  EXPECT_EQ(DisplayPath(foreign), "??");
}

}  // namespace
}  // namespace mapbasis
