#include "params/param_items.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "platform/files.h"

namespace mapbasis {
namespace {

TEST(ParamItems, CoordinateSystems) {
  struct Case {
    std::string value;
    std::int32_t status, cs;
  } const cases[] = {
      {"CK-42", 0, 1},
      {"CK-95", 0, 2},
      {Cp1251("ГCK-2011").str(), 0, 3},
      {"  CK-95  ", 0, 2},
      {Cp1251("СК-42").str(), 1, 7},     // all Cyrillic
      {Cp1251("CК-42").str(), 1, 7},     // Cyrillic К
      {Cp1251("ГСК-2011").str(), 1, 7},  // all Cyrillic
      {"GCK-2011", 1, 7},
      {"ck-42", 1, 7},
      {"CK-42x", 1, 7},
      {"CK42", 1, 7},
  };
  for (const auto& c : cases) {
    std::int32_t cs = 7;
    EXPECT_EQ(ParseCoordinateSystem(c.value, cs), c.status) << c.value;
    EXPECT_EQ(cs, c.cs) << c.value;
  }
}

TEST(ParamItems, ResultFolder) {
  const std::string sep(1, platform::kPathSeparator);
  const std::string longest(kPathLength - 1, 'a');
  struct Case {
    std::string value;
    std::int32_t status;
    std::string path;
  } const cases[] = {
      {"C:", 1, "*"},
      {"  ab  ", 1, "*"},
      {"", 1, "*"},
      {"abc", 0, "abc" + sep},
      {"C:\\R", 0, "C:\\R" + sep},
      {"  /tmp/a b/  ", 0, "/tmp/a b/"},
      {"/tmp/x" + sep, 0, "/tmp/x" + sep},
      {longest, 0, longest + sep},
      {longest + "a", 1, "untouched"},
      {longest + sep, 0, longest + sep},
      {longest + "a" + sep, 1, "untouched"},
  };
  for (const auto& c : cases) {
    std::string path = "untouched";
    EXPECT_EQ(ParseResultPath(c.value, path), c.status) << c.value;
    EXPECT_EQ(path, c.path) << c.value;
  }
}

TEST(ParamItems, MapScales) {
  struct Case {
    const char* value;
    std::int32_t series, status, scale;
  } const cases[] = {
      {"200", 0, 0, 0},          {"500", 0, 0, 1},          {"1000", 0, 0, 2},
      {" 1000 ", 1, 0, 0},       {"2500", 1, 0, 1},         {"5000", 1, 0, 2},
      {"2500", 0, 1, kRejected}, {"5000", 0, 1, kRejected}, {"200", 1, 1, kRejected},
      {"500", 1, 1, kRejected},  {"0200", 0, 1, kRejected}, {"1 000", 1, 1, kRejected},
      {"100", 0, 1, kRejected},
  };
  for (const auto& c : cases) {
    std::int32_t scale = 7;
    EXPECT_EQ(ParseMapScale(c.value, c.series, scale), c.status) << c.value << " " << c.series;
    EXPECT_EQ(scale, c.scale) << c.value << " " << c.series;
  }
}

}  // namespace
}  // namespace mapbasis
