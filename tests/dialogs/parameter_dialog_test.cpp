// The main parameter dialog and the folder button, played by a scripted user.
#include <cmath>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/dialog_shell.h"
#include "dialogs/scripted_toolkit.h"
#include "driver/program.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::ScriptedDialog;
using testing::ScriptedToolkit;
using testing::ShownMessage;
using testing::TempDir;

constexpr int kOk = 1, kCancel = 2;

std::string FolderText(const std::filesystem::path& p) {
  return testing::Utf8(*Cp1251FromPath(p)) + platform::kPathSeparator;
}

TEST(ParameterDialog, ChoicesMakeTheRecord) {
  const double h = 2.0 / 3.0, h4 = 1.0 / 6.0;
  struct Record {
    std::int32_t CS, MillionSeries, MapScale, Belt, Zone, SheetNo, ExtraSheets;
    double west, east, south, north, MeridianStep;
    std::int32_t xMinute;
    double ParallelStep;
    std::int32_t yMinute;
  };
  const struct Case {
    const char* what;
    std::function<void(ScriptedDialog&)> choose;
    Record want;
  } cases[] = {
      {"the defaults are U-33-I",
       [](ScriptedDialog&) {},
       {1, 0, 0, 1, 33, 1, 0, 12, 13, 84 - h, 84, 0.25, 1, h4, 1}},
      {"zone item 29 is zone 1",
       [](ScriptedDialog& d) { d.Choose(1007, 29); },
       {1, 0, 0, 1, 1, 1, 0, 180, 181, 84 - h, 84, 0.25, 1, h4, 1}},
      {"zone item 30 is zone 2",
       [](ScriptedDialog& d) { d.Choose(1007, 30); },
       {1, 0, 0, 1, 2, 1, 0, 186, 187, 84 - h, 84, 0.25, 1, h4, 1}},
      // Belt N offers only the standard sheet: the double kind chosen on belt R is gone.
      {"N-37-XIV in ГСК-2011 at 1:500 000",
       [](ScriptedDialog& d) {
         d.Choose(1015, 3), d.Choose(1012, 2), d.Choose(1005, 4), d.Choose(1006, 2);
         d.Choose(1005, 8), d.Choose(1007, 5), d.Choose(1008, 14);
       },
       {3, 0, 1, 8, 37, 14, 0, 37, 38, 54, 54 + h, 0.25, 1, h4, 1}},
      {"the third kind of the million series joins four sheets",
       [](ScriptedDialog& d) { d.Choose(1006, 3), d.Choose(1012, 3), d.Choose(1011, 2); },
       {1, 1, 0, 1, 33, 0, 3, 12, 36, 80, 84, 4, 40, h, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    ScriptedToolkit toolkit;
    toolkit.PickFolder(dir.path());
    toolkit.Then(101, [&](ScriptedDialog& d) {
      c.choose(d);
      d.Click(1013);
      return kOk;
    });
    std::ostringstream out;
    DialogShell shell(toolkit, out);
    SheetParameters p;
    ASSERT_EQ(shell.RunParameterDialog(p), DialogVerdict::kConfirmed);
    const Record& w = c.want;
    EXPECT_EQ(
        std::tie(p.CS, p.MillionSeries, p.MapScale, p.Belt, p.Zone, p.SheetNo, p.ExtraSheets),
        std::tie(w.CS, w.MillionSeries, w.MapScale, w.Belt, w.Zone, w.SheetNo, w.ExtraSheets));
    EXPECT_DOUBLE_EQ(p.xFrom, w.west);
    EXPECT_DOUBLE_EQ(p.xTo, w.east);
    EXPECT_DOUBLE_EQ(p.yFrom, w.south);
    EXPECT_DOUBLE_EQ(p.yTo, w.north);
    EXPECT_EQ(std::tie(p.xFrom, p.xTo, p.yFrom, p.yTo),
              std::tie(p.BaseWest, p.BaseEast, p.BaseSouth, p.BaseNorth));
    EXPECT_DOUBLE_EQ(p.MeridianStep, w.MeridianStep);
    EXPECT_DOUBLE_EQ(p.ParallelStep, w.ParallelStep);
    EXPECT_EQ(std::tie(p.xMinute, p.yMinute), std::tie(w.xMinute, w.yMinute));
    EXPECT_EQ(testing::Utf8(p.Path), FolderText(dir.path()));
    EXPECT_TRUE(toolkit.messages.empty());
  }
}

// The sheets the lists offer are those of the grid, written out: rows U to K, the 30 zones from
// 33 E across the 180th meridian, the 36 sheet numbers.
TEST(ParameterDialog, ListsOfferTheSheetsOfTheGrid) {
  ScriptedToolkit toolkit;
  toolkit.Then(101, [&](ScriptedDialog& d) {
    EXPECT_EQ(d.Items(1005),
              (std::vector<std::string>{"U", "T", "S", "R", "Q", "P", "O", "N", "M", "L", "K"}));
    EXPECT_EQ(d.Items(1007), (std::vector<std::string>{
                                 "33", "34", "35", "36", "37", "38", "39", "40", "41", "42",
                                 "43", "44", "45", "46", "47", "48", "49", "50", "51", "52",
                                 "53", "54", "55", "56", "57", "58", "59", "60", "01", "02"}));
    EXPECT_EQ(d.Items(1008),
              (std::vector<std::string>{
                  "I",      "II",   "III", "IV",   "V",     "VI",     "VII",   "VIII", "IX",
                  "X",      "XI",   "XII", "XIII", "XIV",   "XV",     "XVI",   "XVII", "XVIII",
                  "XIX",    "XX",   "XXI", "XXII", "XXIII", "XXIV",   "XXV",   "XXVI", "XXVII",
                  "XXVIII", "XXIX", "XXX", "XXXI", "XXXII", "XXXIII", "XXXIV", "XXXV", "XXXVI"}));
    return kCancel;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kCancelled);
}

TEST(ParameterDialog, KindListFollowsBeltAndSeries) {
  const std::vector<std::string> kinds200k = {"Стандартный  лист", "Cдвоенный    лист",
                                              "Строенный    лист"};
  ScriptedToolkit toolkit;
  toolkit.Then(101, [&](ScriptedDialog& d) {
    EXPECT_EQ(d.Items(1006), kinds200k);
    EXPECT_EQ(d.Selected(1006), 1);
    // Fewer kinds keep the chosen one while it is offered, else the widest that is.
    d.Choose(1006, 2), d.Choose(1005, 4);  // belt R
    EXPECT_EQ(d.Items(1006).size(), 2u);
    EXPECT_EQ(d.Selected(1006), 2);
    d.Choose(1005, 1), d.Choose(1006, 3), d.Choose(1005, 4);
    EXPECT_EQ(d.Selected(1006), 2);
    d.Choose(1005, 6);  // belt P
    EXPECT_EQ(d.Items(1006), std::vector<std::string>{"Стандартный  лист"});
    EXPECT_EQ(d.Selected(1006), 1);

    // The million series on belt U with the triple kind chosen: the quadruple kind in its place,
    // no sheet number, its own map scales from the first.
    d.Choose(1005, 1), d.Choose(1006, 3), d.Choose(1012, 3), d.Choose(1011, 2);
    EXPECT_EQ(d.Items(1006).back(), "Cчетверенный лист");
    EXPECT_EQ(d.Selected(1006), 3);
    EXPECT_FALSE(d.Enabled(1008));
    EXPECT_FALSE(d.Enabled(1010));
    EXPECT_EQ(d.Items(1012),
              (std::vector<std::string>{"1 : 1 000 000", "1 : 2 500 000", "1 : 5 000 000"}));
    EXPECT_EQ(d.Selected(1012), 1);
    d.Choose(1011, 1);
    EXPECT_TRUE(d.Enabled(1008));
    EXPECT_EQ(d.Items(1012),
              (std::vector<std::string>{"1 :   200 000", "1 :   500 000", "1 : 1 000 000"}));
    EXPECT_EQ(d.Items(1006), kinds200k);
    return kCancel;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kCancelled);
}

// The sheet number read back for a sheet of the 1:200 000 series stays in the lists while the
// 1:1 000 000 series is chosen; the record of a 1:1 000 000 sheet has none.
TEST(ParameterDialog, AMillionSheetHasNoNumber) {
  TempDir dir;
  ScriptedToolkit toolkit;
  toolkit.PickFolder(dir.path());
  toolkit.Then(101, [](ScriptedDialog& d) {
    d.Choose(1008, 14);
    return kOk;  // refused: no folder yet
  });
  toolkit.Then(101, [](ScriptedDialog& d) {
    d.Choose(1011, 2);
    d.Click(1013);
    return kOk;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  ASSERT_EQ(shell.RunParameterDialog(p), DialogVerdict::kConfirmed);
  EXPECT_EQ(p.MillionSeries, 1);
  EXPECT_EQ(p.SheetNo, 0);
  EXPECT_TRUE(toolkit.ScriptDone());
}

TEST(ParameterDialog, OkWithoutFolderWarnsAndShowsTheDialogAgain) {
  ScriptedToolkit toolkit;
  toolkit.Then(101, [](ScriptedDialog& d) {
    d.Choose(1007, 5);
    return kOk;
  });
  toolkit.Then(101, [](ScriptedDialog& d) {
    EXPECT_EQ(d.Selected(1007), 5);
    return kCancel;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kCancelled);
  EXPECT_EQ(toolkit.messages,
            (std::vector<ShownMessage>{{"Не задана папка для рез. файлов",
                                        "ОШИБКА В ЗАДАНИИ ПАРАМЕТРОВ", BoxIcon::Exclamation}}));
  EXPECT_TRUE(toolkit.ScriptDone());
}

TEST(ParameterDialog, FolderButtonShowsThePickedFolderOnly) {
  TempDir dir;
  const auto start = std::filesystem::current_path();
  const std::filesystem::path deep =
      dir.path() / std::string(300, 'd').substr(0, 200) / std::string(100, 'e');
  ScriptedToolkit toolkit;
  toolkit.PickFolder(dir.path());
  // Cancelling keeps the folder, and the current directory is the same whatever the picker did.
  toolkit.PickFolder(std::nullopt, [&] { std::filesystem::current_path(dir.path()); });
  // Folders the record cannot hold are refused, not garbled or cut.
  toolkit.PickFolder(dir.path() / std::filesystem::path(u8"地图"));
  toolkit.PickFolder(deep);
  toolkit.Then(101, [&](ScriptedDialog& d) {
    EXPECT_EQ(d.Text(1027), "");
    d.Click(1013);
    EXPECT_EQ(toolkit.pickerStart, start / "");
    EXPECT_EQ(toolkit.pickerTitle, "Поиск папки для рез. файлов");
    EXPECT_EQ(d.Text(1027), FolderText(dir.path()));
    // Enter now confirms the dialog rather than opening the picker again.
    EXPECT_EQ(d.focus, 1);
    d.focus = 0;
    for (int i = 0; i < 3; ++i) d.Click(1013);
    EXPECT_EQ(d.focus, 0) << "a cancelled or refused pick leaves the focus alone";
    EXPECT_EQ(std::filesystem::current_path(), start);
    EXPECT_EQ(d.Text(1027), FolderText(dir.path()));
    return kCancel;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kCancelled);
  ASSERT_EQ(toolkit.messages.size(), 2u);
  EXPECT_EQ(toolkit.messages[0].text,
            "Путь к выбранной папке содержит знаки, которых нет в кодовой странице 1251; выберите "
            "папку, в пути к которой только русские и латинские буквы");
  EXPECT_EQ(toolkit.messages[1].text, "Путь к выбранной папке длиннее 260 знаков");
  EXPECT_TRUE(toolkit.ScriptDone());
}

// A dialog that cannot be made: without the information dialog the run goes on, without the
// parameter dialog, or the refinement dialog it opens, it ends as cancelled, after a line on the
// text output, and the process goes on to its end.
TEST(InteractiveDialogs, MissingDialogs) {
  const struct Case {
    int missing;
    std::vector<int> shown;
    const char* output;
  } cases[] = {
      {106, {101}, ""},
      {101, {106}, "mapbasis: ERROR: dialog not found\n"},
      {113, {106, 101}, "mapbasis: ERROR: dialog3 not found\n"},
  };
  for (const Case& c : cases) {
    ScriptedToolkit toolkit;
    toolkit.missing = {c.missing};
    toolkit.Then(c.shown.front(), [](ScriptedDialog&) { return kCancel; });
    if (c.shown.size() > 1) {
      // The user asks for the refinement and would confirm the dialog.
      toolkit.Then(c.shown.back(), [](ScriptedDialog& dialog) {
        dialog.Click(ids::kRefineButton);
        return kOk;
      });
    }
    std::ostringstream out;
    DialogShell shell(toolkit, out);
    EXPECT_EQ(RunInteractive(shell), kExitNotDone);
    EXPECT_EQ(toolkit.shown, c.shown);
    EXPECT_EQ(out.str(), c.output);
    EXPECT_TRUE(toolkit.messages.empty());
  }
}

}  // namespace
}  // namespace mapbasis
