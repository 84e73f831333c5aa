// The dialogs' description (src/dialogs/dialog_description.txt), from which both faces build the
// dialogs: the reading of its lines, and what the description itself must hold: every control the
// logic addresses, of the kind it treats it as, laid out inside its dialog, each label beside its
// control, Tab walking from the top, and the version the build gives.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "dialogs/dialog_description.h"
#include "dialogs/dialog_shell.h"
#include "dialogs/scripted_toolkit.h"
#include "support/run_process.h"

namespace mapbasis {
namespace {

using testing::ScriptedDialog;
using testing::ScriptedToolkit;

TEST(DialogDescription, ReadsEveryPartOfALine) {
  const DialogDescriptions read = ParseDialogDescriptions(
      "# a comment\n"
      "dialog 7 Sample 100 50 \"Окно {{VERSION}}\" nocaption\r\n"
      "\n"
      "text      -      -     1   2  30   8  \"Метка:\"\n"
      "field     Value  1001  32  1  40  12  readonly\n"
      "picture   -      -     1  20  10  10  bitmap=109\n"
      "button    Ok     1     50 30  40  14  \"OK\" default\n"
      "text      Shown  1002  1  40  90  16  \"a #1 {{VERSION}}\" center ellipsis\n"
      "dialog 8 Other 10 10 \"\"\n"
      "list      Items  1001  0   0  10  60\n",
      "7.4.2");
  ASSERT_EQ(read.error, "");
  ASSERT_EQ(read.dialogs.size(), 2u);
  const DialogDescription& d = read.dialogs[0];
  EXPECT_EQ(d.resource, 7);
  EXPECT_EQ(d.name, "Sample");
  EXPECT_EQ(d.width, 100);
  EXPECT_EQ(d.height, 50);
  EXPECT_EQ(d.title, "Окно 7.4");
  EXPECT_FALSE(d.caption);
  ASSERT_EQ(d.controls.size(), 5u);
  const ControlDescription& field = d.controls[1];
  EXPECT_EQ(field.kind, ControlKind::Field);
  EXPECT_EQ(field.name, "Value");
  EXPECT_EQ(field.id, 1001);
  EXPECT_EQ(field.place, (DialogRect{32, 1, 40, 12}));
  EXPECT_TRUE(field.readOnly);
  EXPECT_FALSE(field.TabStop());
  EXPECT_EQ(d.LabelOf(1001), &d.controls[0]);
  EXPECT_EQ(d.controls[0].text, "Метка:");
  EXPECT_EQ(d.controls[0].id, -1);
  EXPECT_EQ(d.controls[2].bitmap, 109);
  EXPECT_TRUE(d.controls[3].isDefault && d.controls[3].TabStop());
  const ControlDescription& shown = d.controls[4];
  EXPECT_EQ(shown.text, "a #1 7.4");
  EXPECT_TRUE(shown.centered && shown.ellipsis && shown.Wraps());
  EXPECT_EQ(d.LabelOf(1002), nullptr);
  EXPECT_TRUE(read.dialogs[1].caption);
  EXPECT_EQ(read.dialogs[1].controls[0].kind, ControlKind::List);
}

// A faulty line is named by its number, and nothing is taken from the description.
TEST(DialogDescription, RefusesAFaultyLine) {
  const std::string dialog = "dialog 7 Sample 100 50 \"T\"\n";
  const struct Case {
    std::string text;
    std::string line;  // how the fault begins
  } cases[] = {
      {"", "no dialog"},
      {"list A 1 0 0 10 10\n", "line 1:"},                 // before any dialog
      {"dialog 7 Sample 100 50\n", "line 1:"},             // no title
      {"dialog 7 sample 100 50 \"T\"\n", "line 1:"},       // a name starts with a capital
      {"dialog 0 Sample 100 50 \"T\"\n", "line 1:"},       // no dialog 0
      {"dialog 7 Sample 100 50 \"T\" bare\n", "line 1:"},  // unknown word
      {dialog + dialog, "line 2:"},                        // the same number twice
      {dialog + "combo A 1 0 0 10 10\n", "line 2:"},       // unknown kind
      {dialog + "list A 1 0 0 10\n", "line 2:"},           // a size missing
      {dialog + "list A - 0 0 10 10\n", "line 2:"},        // a name without an id
      {dialog + "list - 5 0 0 10 10\n", "line 2:"},        // an id without a name
      {dialog + "list A 0 0 0 10 10\n", "line 2:"},        // id 0
      {dialog + "list A 70000 0 0 10 10\n", "line 2:"},    // an id beyond 16 bits
      {dialog + "list A 1x 0 0 10 10\n", "line 2:"},       // not a number
      {dialog + "list A 5 0 0 0 10\n", "line 2:"},         // no width
      {dialog + "list A 5 0 -1 10 10\n", "line 2:"},       // above the dialog
      {dialog + "list A 5 0 0 10 10\nlist B 5 0 20 10 10\n", "line 3:"},  // an id twice
      {dialog + "text - - 0 0 10 8 \"open\n", "line 2:"},                 // a quote not closed
      {dialog + "text - - 0 0 10 8 \"a\" \"b\"\n", "line 2:"},            // two texts
      {dialog + "text - - 0 0 10 8 \"a\" bold\n", "line 2:"},             // unknown flag
      {dialog + "button A 5 0 0 10 8 \"a\" readonly\n", "line 2:"},       // not a field's
      {dialog + "field A 5 0 0 10 8 default\n", "line 2:"},               // not a button's
      {dialog + "picture - - 0 0 10 10\n", "line 2:"},                    // no bitmap
      {dialog + "text - - 0 0 10 10 bitmap=3\n", "line 2:"},     // a bitmap not a picture's
      {dialog + "picture - - 0 0 10 10 bitmap=x\n", "line 2:"},  // no bitmap number
      {dialog + "text - - 0 0 10 8 \"{{NAME}}\"\n", "line 2:"},  // no such placeholder
      {dialog + "text - - 0 0 10 8 \"\xC0\"\n", "line 2:"},      // not UTF-8
  };
  for (const Case& c : cases) {
    const DialogDescriptions read = ParseDialogDescriptions(c.text, "3.0.0");
    EXPECT_EQ(read.error.rfind(c.line, 0), 0u) << c.text << " -> " << read.error;
    EXPECT_TRUE(read.dialogs.empty()) << c.text;
  }
}

// The information dialog names the build's version, its major and minor part, in its title lines:
// no version is written into the description.
TEST(DialogDescription, InformationDialogNamesTheBuildsVersion) {
  const struct Case {
    const char* version;
    const char* shown;
  } cases[] = {{"3.0.0", "Версия 3.0"}, {"7.4.2", "Версия 7.4"}, {"12.1", "Версия 12.1"}};
  for (const Case& c : cases) {
    const DialogDescriptions read =
        ParseDialogDescriptions(DialogDescriptionFile("dialog_description.txt"), c.version);
    ASSERT_EQ(read.error, "");
    const auto info = std::find_if(read.dialogs.begin(), read.dialogs.end(),
                                   [](const DialogDescription& d) { return d.resource == 106; });
    ASSERT_NE(info, read.dialogs.end());
    const auto versions = std::count_if(
        info->controls.begin(), info->controls.end(), [&](const ControlDescription& text) {
          return text.text == c.shown && info->GroupOf(text) != nullptr;
        });
    EXPECT_EQ(versions, 1) << c.version;
  }
}

// The whole interactive run over the description: every list changed, every button pressed,
// every field typed into; the scripted dialogs fail on a control the description lacks or holds
// as another kind than the logic treats it as.
TEST(DialogDescription, TheDialogLogicFindsEveryControlItAddresses) {
  ScriptedToolkit toolkit;
  toolkit.Then(ids::kInfoDialog, [](ScriptedDialog&) { return ids::kOk; });
  toolkit.Then(ids::kParameterDialog, [](ScriptedDialog& d) {
    // The series last: its 1:1 000 000 item turns the sheet number and its label off.
    for (const int list : {ids::kCoordinateSystem, ids::kMapScale, ids::kSheetNumber, ids::kBelt,
                           ids::kZone, ids::kSheetKind, ids::kSeriesScale}) {
      d.Choose(list, static_cast<int>(d.Items(list).size()));
    }
    d.Click(ids::kRefineButton);
    d.Click(ids::kFindFolderButton);
    return ids::kOk;
  });
  toolkit.Then(ids::kRefinementDialog, [](ScriptedDialog& d) {
    for (const ControlDescription& c : FindDialog(ids::kRefinementDialog)->controls) {
      if (c.kind == ControlKind::Field && !c.readOnly) d.Type(c.id, d.Text(c.id));
    }
    d.Click(ids::kTestButton);
    return ids::kCancel;
  });
  toolkit.PickFolder(std::filesystem::temp_directory_path());
  std::ostringstream text;
  DialogShell shell(toolkit, text);
  shell.ShowInfoDialog();
  SheetParameters p;
  EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kConfirmed);
  EXPECT_EQ(text.str(), "");
  EXPECT_TRUE(toolkit.ScriptDone());
}

bool Apart(const DialogRect& a, const DialogRect& b) {
  return a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
         b.y + b.height <= a.y;
}

// Controls lie inside their dialog, and none covers another (a group box holds them; a list closed
// is one line). Enter presses OK, the one default button.
TEST(DialogDescription, ControlsFitAndDoNotOverlap) {
  for (const DialogDescription& d : ProgramDialogs()) {
    const DialogRect whole{0, 0, d.width, d.height};
    int defaults = 0;
    for (std::size_t i = 0; i < d.controls.size(); ++i) {
      const ControlDescription& a = d.controls[i];
      EXPECT_TRUE(whole.Contains(a.place)) << d.name << ": \"" << a.text << "\" " << a.id;
      if (a.isDefault) {
        ++defaults;
        EXPECT_EQ(a.id, ids::kOk) << d.name;
      }
      for (std::size_t j = i + 1; j < d.controls.size(); ++j) {
        const ControlDescription& b = d.controls[j];
        if (a.kind == ControlKind::Group || b.kind == ControlKind::Group) continue;
        EXPECT_TRUE(Apart(a.Closed(), b.Closed()))
            << d.name << ": " << a.id << " \"" << a.text << "\" covers " << b.id << " \"" << b.text
            << "\"";
      }
    }
    EXPECT_EQ(defaults, 1) << d.name;
  }
}

// A label names the control on the line after it; on the screen that control must be the one
// beside it (the nearest list or field on its row, to its right) or, with none there, the one
// just below it, in the same group box: a field under the wrong label would take the wrong value.
// Every list and field the user changes has a label or a group box that names it.
TEST(DialogDescription, EachLabelStandsAtTheControlItNames) {
  for (const DialogDescription& d : ProgramDialogs()) {
    for (const ControlDescription& c : d.controls) {
      if (c.kind != ControlKind::List && c.kind != ControlKind::Field) continue;
      const ControlDescription* label = d.LabelOf(c.id);
      if (label == nullptr) {
        const ControlDescription* group = d.GroupOf(c);
        EXPECT_TRUE(c.readOnly || (group != nullptr && !group->text.empty()))
            << d.name << ": nothing names " << c.id;
        continue;
      }
      EXPECT_EQ(d.GroupOf(*label), d.GroupOf(c)) << d.name << ": \"" << label->text << "\"";
      const DialogRect l = label->place;
      const ControlDescription* partner = nullptr;
      int nearest = 1 << 20;
      for (const bool beside : {true, false}) {
        for (const ControlDescription& other : d.controls) {
          if (other.kind != ControlKind::List && other.kind != ControlKind::Field) continue;
          const DialogRect r = other.Closed();
          const bool fits =
              beside ? r.x >= l.x + l.width && r.y < l.y + l.height && l.y < r.y + r.height
                     : r.y >= l.y + l.height && r.x >= l.x - 2 && r.x < l.x + l.width;
          const int distance = beside ? r.x - (l.x + l.width) : r.y - (l.y + l.height);
          if (fits && distance < nearest) {
            nearest = distance;
            partner = &other;
          }
        }
        if (partner != nullptr) break;
      }
      EXPECT_EQ(partner, &c) << d.name << ": \"" << label->text << "\" names " << c.id
                             << " but stands at " << (partner ? partner->id : 0);
    }
  }
}

// Tab walks the dialog from the top, and along a row from the left.
TEST(DialogDescription, TabWalksFromTheTop) {
  for (const DialogDescription& d : ProgramDialogs()) {
    const ControlDescription* previous = nullptr;
    for (const ControlDescription& c : d.controls) {
      if (!c.TabStop()) continue;
      if (previous != nullptr) {
        const DialogRect a = previous->Closed(), b = c.Closed();
        const bool sameRow = a.y < b.y + b.height && b.y < a.y + a.height;
        EXPECT_TRUE(sameRow ? b.x > a.x : b.y > a.y)
            << d.name << ": Tab goes from " << previous->id << " to " << c.id;
      }
      previous = &c;
    }
  }
}

// The information dialog's picture, a BMP of the Windows program, fills its place: 80 x 103 dialog
// units are 6 x 13 pixels every 4 x 8 units.
TEST(DialogDescription, InformationPictureFillsItsPlace) {
  const DialogDescription* info = FindDialog(ids::kInfoDialog);
  ASSERT_NE(info, nullptr);
  const auto picture = std::find_if(info->controls.begin(), info->controls.end(),
                                    [](auto& c) { return c.kind == ControlKind::Picture; });
  ASSERT_NE(picture, info->controls.end());

  std::ifstream bmp(testing::SourceDir() + "/src/dialogs/win32/sheet.bmp", std::ios::binary);
  unsigned char header[54] = {};
  ASSERT_TRUE(bmp.read(reinterpret_cast<char*>(header), 54));
  const auto le32 = [&](int at) {
    return static_cast<std::int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                     static_cast<std::uint32_t>(header[at + 3]) << 24);
  };
  EXPECT_TRUE(header[0] == 'B' && header[1] == 'M');
  EXPECT_EQ(le32(18), picture->place.width * 6 / 4);
  EXPECT_NEAR(std::abs(le32(22)), picture->place.height * 13 / 8.0, 1.0);
}

}  // namespace
}  // namespace mapbasis
