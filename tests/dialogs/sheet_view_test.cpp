// The sheet in view in the main dialog and the folder field, played by a scripted user.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/dialog_shell.h"
#include "dialogs/scripted_toolkit.h"
#include "dialogs/sheet_view.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::ScriptedDialog;
using testing::ScriptedToolkit;
using testing::TempDir;

constexpr int kOk = 1, kCancel = 2;

// The line follows every kind of change, a refinement included, and only the sheet's own changes
// discard a refinement.
TEST(SheetView, FollowsEveryChange) {
  const std::string u33i = "U-33-I:  83° 20' – 84° 00' с. ш.,  12° 00' – 13° 00' в. д.";
  const std::string refined =
      "U-33-I:  83° 20' – 84° 00' с. ш.,  11° 30' – 13° 00' в. д.  (уточнено)";
  const struct Case {
    const char* what;
    std::function<void(ScriptedDialog&)> change;
    std::string line;
  } cases[] = {
      {"nothing", [](ScriptedDialog&) {}, refined},
      {"coordinate system", [](ScriptedDialog& d) { d.Choose(1015, 3); }, refined},
      {"map scale", [](ScriptedDialog& d) { d.Choose(1012, 2); }, refined},
      {"series", [](ScriptedDialog& d) { d.Choose(1011, 2); },
       "U-33:  80° 00' – 84° 00' с. ш.,  12° 00' – 18° 00' в. д."},
      {"belt", [](ScriptedDialog& d) { d.Choose(1005, 8); },
       "N-33-I:  55° 20' – 56° 00' с. ш.,  12° 00' – 13° 00' в. д."},
      {"zone", [](ScriptedDialog& d) { d.Choose(1007, 29); },
       "U-01-I:  83° 20' – 84° 00' с. ш.,  180° 00' – 179° 00' з. д."},
      {"number", [](ScriptedDialog& d) { d.Choose(1008, 14); },
       "U-33-XIV:  82° 00' – 82° 40' с. ш.,  13° 00' – 14° 00' в. д."},
      {"kind", [](ScriptedDialog& d) { d.Choose(1006, 2); },
       "U-33-I,II:  83° 20' – 84° 00' с. ш.,  12° 00' – 14° 00' в. д."},
      {"a quadruple sheet across 180°",
       [](ScriptedDialog& d) { d.Choose(1011, 2), d.Choose(1007, 28), d.Choose(1006, 3); },
       "U-60,01,02,03:  80° 00' – 84° 00' с. ш.,  174° 00' в. д. – 162° 00' з. д."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedToolkit toolkit;
    toolkit.Then(101, [&](ScriptedDialog& d) {
      EXPECT_EQ(d.Text(1061), u33i);
      d.Click(1014);
      EXPECT_EQ(d.Text(1061), refined);
      c.change(d);
      EXPECT_EQ(d.Text(1061), c.line);
      return kCancel;
    });
    toolkit.Then(113, [](ScriptedDialog& r) {
      r.Type(1055, "11 30");
      return kOk;
    });
    std::ostringstream out;
    DialogShell shell(toolkit, out);
    SheetParameters p;
    EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kCancelled);
    EXPECT_TRUE(toolkit.ScriptDone());
  }
}

// The refinement dialog writes west longitudes as the main dialog's line does, and reads them
// back so written, or as the 0..360 angles held inside.
TEST(SheetView, WestLongitudesInTheRefinementFields) {
  const auto cp = [](const char* utf8) { return *Utf8ToCp1251(utf8); };
  for (const auto& [lon, text] : {std::pair{186.0, "174° 00' з. д."},
                                  {37.0, "37° 00'"},
                                  {180.0, "180° 00'"},
                                  {359.5, "0° 30' з. д."}}) {
    EXPECT_EQ(testing::Utf8(LongitudeFieldText(lon)), text) << lon;
  }
  const struct {
    const char* typed;
    std::optional<double> lon;
  } cases[] = {
      {"174° 00' з. д.", 186.0}, {"174 З.Д.", 186.0}, {"174 30 зд", 185.5},
      {"37 в. д.", 37.0},        {"186", 186.0},      {"190 з. д.", {}},
      {"174 с. ш.", {}},         {"з. д.", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLongitudeField(cp(c.typed)), c.lon) << c.typed;

  // A sheet of zone 01 shows its edges west, and a west edge typed is taken.
  ScriptedToolkit toolkit;
  toolkit.Then(101, [](ScriptedDialog& d) {
    d.Choose(1007, 29);  // zone 01
    d.Click(1014);
    d.Type(1027, "/tmp");
    return kOk;
  });
  toolkit.Then(113, [](ScriptedDialog& r) {
    EXPECT_EQ(r.Text(1038), "180° 00'");
    EXPECT_EQ(r.Text(1040), "179° 00' з. д.");
    r.Type(1055, "179 30 з. д.");
    return kOk;
  });
  std::ostringstream out;
  DialogShell shell(toolkit, out);
  SheetParameters p;
  EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kConfirmed);
  EXPECT_DOUBLE_EQ(p.xFrom, 180.5);
  EXPECT_TRUE(toolkit.messages.empty());
}

// A typed folder: taken whole when the program can use it (a missing one is left for the run to
// make), else refused with the reason and the focus in the field, the dialog shown again.
TEST(FolderField, TypedFolders) {
  TempDir dir;
  std::ofstream(dir.path() / "file") << "a file";
  const std::string d = testing::Utf8(*Cp1251FromPath(dir.path())) + platform::kPathSeparator;
  // A relative folder is taken from the current directory, which the test changes for a while.
  struct Back {
    std::filesystem::path start = std::filesystem::current_path();
    ~Back() { std::filesystem::current_path(start); }
  } back;
  std::filesystem::current_path(dir.path());
  // A leading ~/ is the home folder, as for a batch run.
  const char* home = std::getenv("HOME");
  struct Home {
    std::string saved;
    ~Home() { ::setenv("HOME", saved.c_str(), 1); }
  } restored{home != nullptr ? home : ""};
  ::setenv("HOME", dir.path().c_str(), 1);
  std::string zh131;
  for (int i = 0; i < 131; ++i) zh131 += "ж";
  const struct Case {
    std::string typed;
    std::string folder;   // what the record holds; empty when refused
    std::string refusal;  // the start of the message
  } cases[] = {
      {"  " + d + "  ", d, ""},
      {d + "new/sheet", d + "new/sheet/", ""},
      {d + "a/../b", d + "b/", ""},
      {"maps/N-37", d + "maps/N-37/", ""},
      {"", "", "Не задана папка для рез. файлов"},
      {"   ", "", "Не задана папка для рез. файлов"},
      {d + "file", "", "Это не папка, а файл: " + d + "file"},
      {d + "file/x", "", "Папку нельзя создать: на пути к ней стоит файл " + d + "file"},
      // A character cp1251 lacks is named; a question mark, which cp1251 has, is a character.
      {d + "地图", "",
       "В пути к папке после «" + d +
           "» стоит знак, которого нет в кодовой странице 1251 (U+5730)"},
      {d + "what?", d + "what?/", ""},
      {d + "a\tb", "", "Путь к папке содержит управляющие знаки"},
      {d + std::string(300, 'x'), "", "Путь к папке длиннее 260 знаков"},
      // Not even root may make files in /proc.
      {"/proc/maps/N-37", "", "Программе нельзя записывать в папку /proc"},
      {"~/maps", d + "maps/", ""},
      // What a run would refuse later is refused here, in the run's words.
      {d + zh131, "", "папку результата «"},  // a name of 262 bytes
      {d + std::string(245 - d.size(), 'y'), "", "путь к папке результата «"},  // FrameDig
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ScriptedToolkit toolkit;
    toolkit.Then(101, [&](ScriptedDialog& dialog) {
      dialog.Paste(1027, c.typed);
      return kOk;
    });
    if (c.folder.empty()) {
      toolkit.Then(101, [](ScriptedDialog& dialog) {
        EXPECT_EQ(dialog.focus, 1027);
        return kCancel;
      });
    }
    std::ostringstream out;
    DialogShell shell(toolkit, out);
    SheetParameters p;
    EXPECT_EQ(shell.RunParameterDialog(p),
              c.folder.empty() ? DialogVerdict::kCancelled : DialogVerdict::kConfirmed);
    EXPECT_TRUE(toolkit.ScriptDone());
    if (c.folder.empty()) {
      ASSERT_EQ(toolkit.messages.size(), 1u);
      EXPECT_EQ(toolkit.messages[0].text.substr(0, c.refusal.size()), c.refusal);
      EXPECT_EQ(toolkit.messages[0].caption, "ОШИБКА В ЗАДАНИИ ПАРАМЕТРОВ");
    } else {
      EXPECT_EQ(testing::Utf8(p.Path), c.folder);
      EXPECT_TRUE(toolkit.messages.empty());
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "new")) << "the run makes it, not the dialog";
}

}  // namespace
}  // namespace mapbasis
