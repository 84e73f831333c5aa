// The refinement dialog, opened from the main dialog by a scripted user: what it shows, what it
// accepts and refuses, and how long a refinement holds.
#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/dialog_shell.h"
#include "dialogs/scripted_toolkit.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::ScriptedDialog;
using testing::ScriptedToolkit;
using testing::TempDir;

constexpr int kOk = 1, kCancel = 2;

using Edits = std::vector<std::pair<int, std::string>>;

void Type(ScriptedDialog& d, const Edits& edits) {
  for (const auto& [id, text] : edits) d.Type(id, text);
}

// Base and result fields of U-33-I as the dialog opens.
const std::vector<std::pair<int, std::string>> kOpenedOnU33I = {{1035, "Стандартный  лист"},
                                                                {1036, "1° 00'"},
                                                                {1053, "1° 00'"},
                                                                {1037, "0° 40'"},
                                                                {1054, "0° 40'"},
                                                                {1038, "12° 00'"},
                                                                {1055, "12° 00'"},
                                                                {1040, "13° 00'"},
                                                                {1057, "13° 00'"},
                                                                {1039, "83° 20'"},
                                                                {1056, "83° 20'"},
                                                                {1041, "84° 00'"},
                                                                {1058, "84° 00'"},
                                                                {1042, "0° 15'"},
                                                                {1034, "0° 15'"},
                                                                {1046, "0° 10'"},
                                                                {1043, "0° 10'"},
                                                                {1047, "1"},
                                                                {1044, "1"},
                                                                {1048, "1"},
                                                                {1045, "1"},
                                                                {1050, ""}};

TEST(RefinementDialog, OpensOnTheBaseValuesAndRefinesTheRecord) {
  TempDir dir;
  ScriptedToolkit toolkit;
  toolkit.PickFolder(dir.path());
  const auto expectBase = [](ScriptedDialog& r) {
    for (const auto& [id, text] : kOpenedOnU33I) EXPECT_EQ(r.Text(id), text) << id;
  };
  toolkit.Then(101, [](ScriptedDialog& d) {
    d.Click(1014);
    d.Click(1014);
    d.Click(1013);
    return kOk;
  });
  toolkit.Then(113, [&](ScriptedDialog& r) {
    expectBase(r);
    r.Type(1055, "11 30");
    r.Click(1049);
    EXPECT_EQ(r.Text(1055), "11° 30'");
    EXPECT_EQ(r.Text(1053), "1° 30'");
    EXPECT_EQ(r.Text(1050), "Базовая трапеция изменена!");
    EXPECT_EQ(r.Text(1044), "01'");
    r.Type(1043, "0 20'");
    return kOk;
  });
  // Reopened, the result fields start from the base values again.
  toolkit.Then(113, [&](ScriptedDialog& r) {
    expectBase(r);
    r.Type(1055, "11 30");
    r.Type(1043, "0 20'");
    return kOk;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  ASSERT_EQ(shell.RunParameterDialog(p), DialogVerdict::kConfirmed);
  EXPECT_DOUBLE_EQ(p.xFrom, 11.5);
  EXPECT_DOUBLE_EQ(p.BaseWest, 12.0);
  EXPECT_DOUBLE_EQ(p.ParallelStep, 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(p.DefaultParallelStep, 1.0 / 6.0);
  EXPECT_TRUE(toolkit.messages.empty());
  EXPECT_TRUE(toolkit.ScriptDone());
}

TEST(RefinementDialog, FaultsAreListedInOneBoxInTheirOrder) {
  // Each message says what its field takes: on U-33-I one sheet (1° by 40') around the base,
  // as the side it lies on; the form of the text when the text is no angle at all.
  const std::string badWest = "Ошибка в задании скорректированного значения начальной долготы";
  const std::string west = badWest + " (допустимо: восточнее 11° 00')";
  const std::string lonForm =
      " (градусы и минуты, минуты от 0 до 59: 12 30, 12° 30' или 174° 00' "
      "з. д.)";
  const std::string badEast = "Ошибка в задании скорректированного значения конечной долготы";
  const std::string east = badEast + " (допустимо: западнее 14° 00')";
  const std::string lonRange =
      "Ошибка в задании диапазона долготы (допустимо: начальная долгота западнее конечной)";
  const std::string north =
      "Ошибка в задании скорректированного значения конечной широты (допустимо: южнее 84° 40')";
  const std::string south =
      "Ошибка в задании скорректированного значения начальной широты (допустимо: севернее 82° "
      "40')";
  const std::string latRange =
      "Ошибка в задании диапазона широты (допустимо: начальная широта южнее конечной)";
  const std::string xMinute =
      "Ошибка в задании цены минутной рамки по долготе (целые минуты от 1 до 59)";
  const std::string yMinute =
      "Ошибка в задании цены минутной рамки по широте (целые минуты от 1 до 59)";
  const std::string steps = " (от 0° 01' и больше, в градусах и минутах: 0 15 или 0° 15')";
  const std::string meridians = "Ошибка в задании расстояния между меридианами" + steps;
  const std::string parallels = "Ошибка в задании расстояния между параллелями" + steps;
  const struct Case {
    Edits edits;
    std::vector<std::string> faults;  // none: the values are valid
    int focus = 0;                    // the field that takes the keys after the message
    const char* width = "1° 00'";     // the result width afterwards
  } cases[] = {
      // One sheet of allowance beyond each base edge, not reaching it.
      {{{1055, "11 30"}}, {}, 1055, "1° 30'"},
      {{{1055, "11"}}, {west}, 1055},
      {{{1057, "14"}}, {east}, 1057},
      {{{1057, "13 59"}, {1058, "84 39'"}, {1056, "82 41"}}, {}, 1055, "1° 59'"},
      {{{1056, "82 40"}}, {south}, 1056},
      {{{1058, "84 40"}}, {north}, 1058},
      {{{1055, "13"}}, {lonRange}, 1055},
      {{{1055, "13 30"}, {1057, "12 30"}}, {lonRange}, 1055},
      {{{1056, "84"}}, {latRange}, 1056},
      // Texts that hold no angle are told the form, whatever their numbers.
      {{{1055, "12.5"}}, {badWest + lonForm}, 1055},
      {{{1055, "84 70"}}, {badWest + lonForm}, 1055},
      {{{1057, "168 з. д."}}, {east}, 1057},
      {{{1044, "60"}}, {xMinute}, 1044},
      {{{1044, "0"}}, {xMinute}, 1044},
      {{{1045, "0"}}, {yMinute}, 1045},
      {{{1034, "0"}}, {meridians}, 1034},
      {{{1034, "0 00'"}}, {meridians}, 1034},
      {{{1034, "0 01'"}}, {}, 1055},
      {{{1043, ""}}, {parallels}, 1043},
      {{{1043, "0"}, {1034, "x"}, {1045, "0"}, {1058, "85"}, {1057, "x"}, {1055, "11"}},
       {west, badEast + lonForm, north, yMinute, meridians, parallels},
       1055},
      {{{1043, "0"}, {1045, "x"}}, {yMinute, parallels}, 1045},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edits.front().second);
    ScriptedToolkit toolkit;
    toolkit.Then(101, [](ScriptedDialog& d) {
      d.Click(1014);
      return kCancel;
    });
    toolkit.Then(113, [&](ScriptedDialog& r) {
      Type(r, c.edits);
      r.Click(1049);
      EXPECT_EQ(r.Text(1053), c.width);
      EXPECT_EQ(r.focus, c.focus);
      return kCancel;
    });
    std::ostringstream out;
    DialogShell shell(toolkit, out);
    SheetParameters p;
    shell.RunParameterDialog(p);
    if (c.faults.empty()) {
      EXPECT_TRUE(toolkit.messages.empty());
      continue;
    }
    std::string joined;
    for (const auto& fault : c.faults) joined += (joined.empty() ? "" : "\r") + fault;
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_EQ(toolkit.messages[0], (testing::ShownMessage{joined, "Ошибка в уточнении параметров",
                                                          BoxIcon::Exclamation}));
  }
}

// A confirmed refinement holds until the sheet changes; a change of coordinate system or map
// scale keeps it, and a cancelled reopening discards it.
TEST(RefinementDialog, HoldsUntilTheSheetChanges) {
  const struct Case {
    const char* what;
    std::function<void(ScriptedDialog&)> afterwards;
    double xFrom;
  } cases[] = {
      {"nothing else", [](ScriptedDialog&) {}, 11.5},
      {"coordinate system", [](ScriptedDialog& d) { d.Choose(1015, 2); }, 11.5},
      {"map scale", [](ScriptedDialog& d) { d.Choose(1012, 3); }, 11.5},
      {"zone", [](ScriptedDialog& d) { d.Choose(1007, 2); }, 18},
      {"belt", [](ScriptedDialog& d) { d.Choose(1005, 2); }, 12},
      {"sheet", [](ScriptedDialog& d) { d.Choose(1008, 2); }, 13},
      {"kind", [](ScriptedDialog& d) { d.Choose(1006, 2); }, 12},
      {"series", [](ScriptedDialog& d) { d.Choose(1011, 2); }, 12},
      {"reopened and cancelled", [](ScriptedDialog& d) { d.Click(1014); }, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    ScriptedToolkit toolkit;
    toolkit.PickFolder(dir.path());
    toolkit.Then(101, [&](ScriptedDialog& d) {
      d.Click(1014);
      c.afterwards(d);
      d.Click(1013);
      return kOk;
    });
    toolkit.Then(113, [](ScriptedDialog& r) {
      r.Type(1055, "11 30");
      return kOk;
    });
    toolkit.Then(113, [](ScriptedDialog&) { return kCancel; });  // played only when reopened
    std::ostringstream out;
    DialogShell shell(toolkit, out);
    SheetParameters p;
    ASSERT_EQ(shell.RunParameterDialog(p), DialogVerdict::kConfirmed);
    EXPECT_DOUBLE_EQ(p.xFrom, c.xFrom);
  }
}

// A base edge such as 84 - 2 * 2/3 is not a whole minute in binary: typed back, it still counts
// as the base edge.
TEST(RefinementDialog, BaseEdgesTypedBackLeaveTheBaseUnchanged) {
  ScriptedToolkit toolkit;
  toolkit.Then(101, [](ScriptedDialog& d) {
    d.Choose(1008, 7);  // U-33-VII, the second row of sheets
    d.Click(1014);
    return kCancel;
  });
  toolkit.Then(113, [](ScriptedDialog& r) {
    EXPECT_EQ(r.Text(1056), "82° 40'");
    r.Type(1055, "11 30");
    r.Click(1049);
    EXPECT_EQ(r.Text(1050), "Базовая трапеция изменена!");
    r.Type(1055, "12");
    r.Type(1056, "82 40");
    r.Click(1049);
    EXPECT_EQ(r.Text(1050), "");
    return kCancel;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  shell.RunParameterDialog(p);
  EXPECT_TRUE(toolkit.messages.empty());
}

// The status follows the values shown: refused values clear what an earlier Test said. The
// allowance is a sheet of the series whatever the kind: 6° by 4° for a million sheet.
TEST(RefinementDialog, StatusFollowsTheValuesShown) {
  ScriptedToolkit toolkit;
  toolkit.Then(101, [](ScriptedDialog& d) {
    d.Choose(1011, 2);  // U-33 of the million series
    d.Click(1014);
    return kCancel;
  });
  toolkit.Then(113, [](ScriptedDialog& r) {
    r.Type(1055, "11 30");
    r.Click(1049);
    EXPECT_EQ(r.Text(1050), "Базовая трапеция изменена!");
    r.Type(1055, "6");
    return kOk;
  });
  toolkit.Then(113, [](ScriptedDialog& r) {
    EXPECT_EQ(r.Text(1050), "");
    return kCancel;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  shell.RunParameterDialog(p);
  ASSERT_EQ(toolkit.messages.size(), 1u);
  EXPECT_EQ(toolkit.messages[0].text,
            "Ошибка в задании скорректированного значения начальной долготы (допустимо: восточнее "
            "6° 00')");
  EXPECT_TRUE(toolkit.ScriptDone());
}

}  // namespace
}  // namespace mapbasis
