// The Windows dialogs' resources (src/dialogs/win32/dialogs.rc) hold every control the dialog logic
// addresses, of the kind it treats it as, laid out inside their dialogs; the information dialog
// stands where its description puts it, with its picture.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/dialog_shell.h"
#include "dialogs/scripted_toolkit.h"
#include "support/run_process.h"

namespace mapbasis {
namespace {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect&) const = default;
};

struct RcControl {
  std::string keyword;  // LTEXT, COMBOBOX, EDITTEXT, PUSHBUTTON, ...
  std::string text;     // UTF-8, as the file holds it
  int id = -1;
  Rect rect;
  std::string style;
};

struct RcDialog {
  Rect rect;
  std::string caption;
  std::vector<RcControl> controls;
};

std::string Trim(std::string s) {
  s.erase(0, s.find_first_not_of(" \t\r"));
  s.erase(s.find_last_not_of(" \t\r") + 1);
  return s;
}

std::string Unquote(const std::string& s) {
  return s.size() >= 2 && s.front() == '"' ? s.substr(1, s.size() - 2) : s;
}

// The fields of a statement after its keyword: a quoted text stays whole (unquoted), the rest
// split at commas.
std::vector<std::string> Fields(const std::string& rest) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (const char c : rest) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& f : fields) f = Unquote(Trim(f));
  return fields;
}

Rect RectAt(const std::vector<std::string>& f, std::size_t at) {
  return {std::stoi(f[at]), std::stoi(f[at + 1]), std::stoi(f[at + 2]), std::stoi(f[at + 3])};
}

std::map<int, RcDialog> ReadDialogs() {
  std::ifstream in(testing::SourceDir() + "/src/dialogs/win32/dialogs.rc");
  EXPECT_TRUE(in) << "no dialogs.rc";
  std::map<int, RcDialog> dialogs;
  RcDialog* current = nullptr;
  bool inBody = false;
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    std::istringstream words(line);
    std::string first, second;
    words >> first >> second;
    if (second == "DIALOGEX") {
      current = &dialogs[std::stoi(first)];
      current->rect = RectAt(Fields(line.substr(line.find("DIALOGEX") + 8)), 0);
      inBody = false;
    } else if (current == nullptr) {
      continue;
    } else if (first == "CAPTION") {
      current->caption = Unquote(Trim(line.substr(7)));
    } else if (first == "BEGIN" || first == "END") {
      inBody = first == "BEGIN";
      if (!inBody) current = nullptr;
    } else if (inBody) {
      RcControl c;
      c.keyword = first;
      const auto f = Fields(Trim(line.substr(first.size())));
      // CONTROL: text, id, class, style, x, y, w, h; lists and fields have no text; the others
      // text, id, x, y, w, h[, style].
      const std::size_t id = first == "COMBOBOX" || first == "EDITTEXT" ? 0 : 1;
      const std::size_t rect = first == "CONTROL" ? 4 : id + 1;
      if (id == 1) c.text = f[0];
      c.id = std::stoi(f[id]);
      c.style = first == "CONTROL" ? f[2] + " " + f[3] : f.size() > rect + 4 ? f[rect + 4] : "";
      c.rect = RectAt(f, rect);
      // A list's height is that of its drop-down part; closed, it is one line.
      if (first == "COMBOBOX") c.rect.h = std::min(c.rect.h, 14);
      current->controls.push_back(c);
    }
  }
  return dialogs;
}

const std::map<int, RcDialog>& Dialogs() {
  static const std::map<int, RcDialog> dialogs = ReadDialogs();
  return dialogs;
}

bool Has(const std::string& style, const std::string& flag) {
  return style.find(flag) != std::string::npos;
}

enum class Kind { List, Field, ReadOnlyField, Button, Static };

Kind KindOf(const RcControl& c) {
  if (c.keyword == "COMBOBOX") return Kind::List;
  if (c.keyword == "EDITTEXT")
    return Has(c.style, "ES_READONLY") ? Kind::ReadOnlyField : Kind::Field;
  if (c.keyword == "PUSHBUTTON" || c.keyword == "DEFPUSHBUTTON") return Kind::Button;
  return Kind::Static;
}

// A dialog of the layer that has exactly the controls of its resource: the logic run over it
// fails the test on any control the resource lacks or holds as another kind.
class ResourceDialog final : public Dialog {
 public:
  ResourceDialog(int resource, std::function<int(ResourceDialog&)> turn)
      : resource_(resource), turn_(std::move(turn)) {
    for (const RcControl& c : Dialogs().at(resource).controls) {
      if (c.id > 0) kinds_[c.id] = KindOf(c);
    }
  }

  void SetText(int id, std::string_view) override { Expect(id, kTexts, "SetText"); }
  std::string GetText(int id) const override {
    Expect(id, kTexts, "GetText");
    return id == ids::kResultFolder ? "C:\\Maps\\" : "";
  }
  void SetItemCount(int id, int count) override {
    Expect(id, {Kind::List}, "SetItemCount");
    items_[id] = count;
  }
  void SetItemText(int id, int, std::string_view) override { Expect(id, {Kind::List}, "item"); }
  void SetSelection(int id, int item) override {
    Expect(id, {Kind::List}, "SetSelection");
    selection_[id] = item;
  }
  int GetSelection(int id) const override {
    Expect(id, {Kind::List}, "GetSelection");
    return selection_.count(id) ? selection_.at(id) : 0;
  }
  void SetEnabled(int id, bool) override {
    Expect(id, {Kind::List, Kind::Static, Kind::Button, Kind::Field}, "SetEnabled");
  }
  void SetFocus(int id) override {
    Expect(id, {Kind::List, Kind::Field, Kind::ReadOnlyField, Kind::Button}, "SetFocus");
  }
  void DlgSetSub(int id, Callback callback) override {
    Expect(id, {Kind::List, Kind::Button}, "DlgSetSub");
    callbacks_[id] = std::move(callback);
  }
  int DlgModal() override { return turn_(*this); }
  void DlgEnd(int) override { ADD_FAILURE() << "dialog " << resource_ << " ended by a callback"; }

  // What a user does: picks the last item of a list, clicks a button.
  void Choose(int id) {
    selection_[id] = items_[id];
    callbacks_.at(id)(*this, id, DialogReason::SelectionChanged);
  }
  void Click(int id) { callbacks_.at(id)(*this, id, DialogReason::Clicked); }

 private:
  static constexpr std::initializer_list<Kind> kTexts = {Kind::Field, Kind::ReadOnlyField,
                                                         Kind::Static};

  void Expect(int id, std::initializer_list<Kind> kinds, const char* what) const {
    const auto found = kinds_.find(id);
    if (found == kinds_.end()) {
      ADD_FAILURE() << what << ": dialog " << resource_ << " has no control " << id;
    } else if (std::find(kinds.begin(), kinds.end(), found->second) == kinds.end()) {
      ADD_FAILURE() << what << ": control " << id << " of dialog " << resource_
                    << " is another kind";
    }
  }

  int resource_;
  std::function<int(ResourceDialog&)> turn_;
  std::map<int, Kind> kinds_;
  std::map<int, int> items_, selection_;
  std::map<int, Callback> callbacks_;
};

class ResourceToolkit final : public DialogToolkit {
 public:
  std::unique_ptr<Dialog> DlgInit(int resource) override {
    if (Dialogs().count(resource)) {
      return std::make_unique<ResourceDialog>(resource, turns.at(resource));
    }
    ADD_FAILURE() << "no dialog " << resource << " in the resources";
    return nullptr;
  }
  void ShowMessageBox(std::string_view, std::string_view, BoxIcon) override {}
  std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path&,
                                                    std::string_view) override {
    return std::filesystem::path("C:\\Maps");
  }

  std::map<int, std::function<int(ResourceDialog&)>> turns;
};

// The whole interactive run over the resources: every list changed, every button pressed.
TEST(Win32Resources, TheDialogLogicFindsEveryControlItAddresses) {
  ResourceToolkit toolkit;
  toolkit.turns[ids::kInfoDialog] = [](ResourceDialog&) { return ids::kOk; };
  toolkit.turns[ids::kRefinementDialog] = [](ResourceDialog& d) {
    d.Click(ids::kTestButton);
    return ids::kCancel;
  };
  toolkit.turns[ids::kParameterDialog] = [](ResourceDialog& d) {
    // The series last: its 1:1 000 000 item turns the sheet number and its label off.
    for (const int list :
         {ids::kSheetNumber, ids::kBelt, ids::kZone, ids::kSheetKind, ids::kSeriesScale}) {
      d.Choose(list);
    }
    d.Click(ids::kRefineButton);
    d.Click(ids::kFindFolderButton);
    return ids::kOk;
  };
  std::ostringstream text;
  // The shell speaks Russian from its start on; the tests after this one speak as before it.
  const testing::ScopedMessageLanguage russian(Language::kRussian);
  DialogShell shell(toolkit, text);
  shell.ShowInfoDialog();
  SheetParameters p;
  EXPECT_EQ(shell.RunParameterDialog(p), DialogVerdict::kConfirmed);
  EXPECT_EQ(text.str(), "");
}

// Every control of the scripted stand-in's dialogs, the layer's own list, is in the resources
// once; the lists drop down without sorting (the logic counts items in its own order), the
// result folder scrolls, and only the closing buttons are the dialogs' defaults.
TEST(Win32Resources, ControlsAreThereOnceWithTheirStyles) {
  for (const auto& [resource, controls] : testing::kDialogControls) {
    ASSERT_TRUE(Dialogs().count(resource)) << resource;
    const auto& all = Dialogs().at(resource).controls;
    for (const int id : controls) {
      EXPECT_EQ(std::count_if(all.begin(), all.end(), [id](auto& c) { return c.id == id; }), 1)
          << "dialog " << resource << ", control " << id;
    }
    for (const RcControl& c : all) {
      if (c.keyword == "COMBOBOX") {
        EXPECT_TRUE(Has(c.style, "CBS_DROPDOWNLIST") && !Has(c.style, "CBS_SORT")) << c.id;
      }
      if (c.keyword == "DEFPUSHBUTTON") {
        EXPECT_EQ(c.id, ids::kOk) << resource;
      }
      if (c.id == ids::kResultFolder) {
        EXPECT_EQ(KindOf(c), Kind::Field);
        EXPECT_TRUE(Has(c.style, "ES_AUTOHSCROLL"));
      }
    }
  }
}

// Controls lie inside their dialog, and none covers another (a group box holds them).
TEST(Win32Resources, ControlsFitAndDoNotOverlap) {
  for (const auto& [resource, dialog] : Dialogs()) {
    const auto& all = dialog.controls;
    for (std::size_t i = 0; i < all.size(); ++i) {
      const Rect& a = all[i].rect;
      EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= dialog.rect.w && a.y + a.h <= dialog.rect.h)
          << "dialog " << resource << ": \"" << all[i].text << "\" " << all[i].id;
      for (std::size_t j = i + 1; j < all.size(); ++j) {
        if (all[i].keyword == "GROUPBOX" || all[j].keyword == "GROUPBOX") continue;
        const Rect& b = all[j].rect;
        const bool apart =
            a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
        EXPECT_TRUE(apart) << "dialog " << resource << ": " << all[i].id << " \"" << all[i].text
                           << "\" covers " << all[j].id << " \"" << all[j].text << "\"";
      }
    }
  }
}

// The texts the user reads, as the dialogs' description fixes them.
TEST(Win32Resources, CaptionsAndLabels) {
  const std::map<int, std::pair<std::string, std::vector<std::string>>> texts = {
      {106,
       {"",
        {"ПРОГРАММА ГЕНЕРАЦИИ МАТЕМАТИЧЕСКОЙ ОСНОВЫ", "ЦИФРОВЫХ МОДЕЛЕЙ КАРТ", "1 : 1 000 000  ",
         "1 : 200 000", "Версия 3.0", "Продолжить",
         "Формирование Shape-файлов, содержащих математическую основу листа по правилам "
         "нормативного документа:"}}},
      {101,
       {"Задать параметры генерации математической основы карты",
        {"Система координат:", "Масштаб комплекта :", "Масштаб карты (схемы) :", "Пояс", "Зона",
         " Номер листа", "Базовая трапеция --->", "Уточнить параметры разграфки", "Найти",
         "Папка для рез. файлов", "OK", "Cancel"}}},
      {113,
       {"Изменение параметров трапеции и ее разграфки",
        {"Характеристики  базовой трапеции", "Характеристики  результирующей трапеции",
         "Разграфка базовой трапеции по долготе", "Разграфка результирующей трапеции по долготе",
         "Разграфка базовой трапеции по широте", "Разграфка результирующей трапеции по широте",
         "Вид трапеции:", "Размер трапеции по долготе:", "Размер трапеции по широте:",
         "Начальная долгота:", "Конечная   долгота:", "Начальная широта:", "Конечная широта:",
         "Расстояние между меридианами:", "Расстояние между параллелями:",
         "Цена деления минутной шкалы:", "Test", "OK", "Cancel"}}},
  };
  for (const auto& [resource, captionAndLabels] : texts) {
    EXPECT_EQ(Dialogs().at(resource).caption, captionAndLabels.first);
    const auto& all = Dialogs().at(resource).controls;
    for (const std::string& text : captionAndLabels.second) {
      EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](auto& c) { return c.text == text; }))
          << "dialog " << resource << " lacks \"" << text << "\"";
    }
  }
}

// Each label names the control on its row (or, with nothing beside it, the one below it), and
// that control is the one the label means: a field under the wrong label would take the wrong
// value. A label is found in its group box, as the refinement dialog's two columns repeat theirs;
// a button's own text names it.
TEST(Win32Resources, EachLabelNamesTheControlItMeans) {
  const std::string base = "Характеристики  базовой трапеции";
  const std::string result = "Характеристики  результирующей трапеции";
  const std::string baseLon = "Разграфка базовой трапеции по долготе";
  const std::string resultLon = "Разграфка результирующей трапеции по долготе";
  const std::string baseLat = "Разграфка базовой трапеции по широте";
  const std::string resultLat = "Разграфка результирующей трапеции по широте";
  const std::string width = "Размер трапеции по долготе:", height = "Размер трапеции по широте:";
  const std::string west = "Начальная долгота:", east = "Конечная   долгота:";
  const std::string south = "Начальная широта:", north = "Конечная широта:";
  const std::string meridians = "Расстояние между меридианами:";
  const std::string parallels = "Расстояние между параллелями:";
  const std::string division = "Цена деления минутной шкалы:";
  // (dialog, group box, label) -> the control it means.
  const std::map<std::tuple<int, std::string, std::string>, int> meaning = {
      {{101, "", "Система координат:"}, ids::kCoordinateSystem},
      {{101, "", "Масштаб комплекта :"}, ids::kSeriesScale},
      {{101, "", "Масштаб карты (схемы) :"}, ids::kMapScale},
      {{101, "", "Пояс"}, ids::kBelt},
      {{101, "", "Зона"}, ids::kZone},
      {{101, "", " Номер листа"}, ids::kSheetNumber},
      {{101, "", "Папка для рез. файлов"}, ids::kResultFolder},
      {{101, "Базовая трапеция --->", "Уточнить параметры разграфки"}, ids::kRefineButton},
      {{101, "", "Найти"}, ids::kFindFolderButton},
      {{113, base, "Вид трапеции:"}, ids::kBaseKind},
      {{113, base, width}, ids::kBaseWidth},
      {{113, base, height}, ids::kBaseHeight},
      {{113, base, west}, ids::kBaseWest},
      {{113, base, east}, ids::kBaseEast},
      {{113, base, south}, ids::kBaseSouth},
      {{113, base, north}, ids::kBaseNorth},
      {{113, result, width}, ids::kResultWidth},
      {{113, result, height}, ids::kResultHeight},
      {{113, result, west}, ids::kResultWest},
      {{113, result, east}, ids::kResultEast},
      {{113, result, south}, ids::kResultSouth},
      {{113, result, north}, ids::kResultNorth},
      {{113, baseLon, meridians}, ids::kBaseMeridianStep},
      {{113, baseLon, division}, ids::kBasexMinute},
      {{113, resultLon, meridians}, ids::kResultMeridianStep},
      {{113, resultLon, division}, ids::kResultxMinute},
      {{113, baseLat, parallels}, ids::kBaseParallelStep},
      {{113, baseLat, division}, ids::kBaseyMinute},
      {{113, resultLat, parallels}, ids::kResultParallelStep},
      {{113, resultLat, division}, ids::kResultyMinute},
      {{113, "", "Test"}, ids::kTestButton},
  };
  const auto inside = [](const Rect& outer, const Rect& r) {
    return r.x >= outer.x && r.y >= outer.y && r.x + r.w <= outer.x + outer.w &&
           r.y + r.h <= outer.y + outer.h;
  };
  std::set<std::tuple<int, std::string, std::string>> seen;
  for (const auto& [resource, dialog] : Dialogs()) {
    // The information dialog has no fields: its text is not a label.
    if (std::none_of(dialog.controls.begin(), dialog.controls.end(),
                     [](const RcControl& c) { return c.keyword == "EDITTEXT"; })) {
      continue;
    }
    for (const RcControl& label : dialog.controls) {
      const bool isLabel = label.keyword == "LTEXT" && !label.text.empty();
      const bool isButton = Has(label.keyword, "PUSHBUTTON");
      if (!isLabel && !isButton) continue;
      std::string group;
      for (const RcControl& box : dialog.controls) {
        if (box.keyword == "GROUPBOX" && inside(box.rect, label.rect)) group = box.text;
      }
      const auto key = std::make_tuple(resource, group, label.text);
      const auto meant = meaning.find(key);
      if (isButton) {
        if (meant != meaning.end()) {
          EXPECT_EQ(label.id, meant->second) << label.text;
        }
        seen.insert(key);
        continue;
      }
      // The control beside the label: its row overlaps the label's, nearest to the right; else
      // the nearest below that starts under the label.
      const RcControl* partner = nullptr;
      const auto consider = [&](const RcControl& c, bool beside) {
        const Rect &l = label.rect, &r = c.rect;
        const bool fits = beside ? r.x >= l.x + l.w && r.y < l.y + l.h && l.y < r.y + r.h
                                 : r.y >= l.y + l.h && r.x >= l.x - 2 && r.x < l.x + l.w;
        if (!fits) return;
        const int distance = beside ? r.x - (l.x + l.w) : r.y - (l.y + l.h);
        const int best = partner == nullptr ? 1 << 20
                         : beside           ? partner->rect.x - (l.x + l.w)
                                            : partner->rect.y - (l.y + l.h);
        if (distance < best) partner = &c;
      };
      for (const bool beside : {true, false}) {
        for (const RcControl& c : dialog.controls) {
          if (c.keyword == "COMBOBOX" || c.keyword == "EDITTEXT") consider(c, beside);
        }
        if (partner != nullptr) break;
      }
      if (meant == meaning.end()) {
        ADD_FAILURE() << "dialog " << resource << ": no meaning for the label \"" << label.text
                      << "\" in \"" << group << "\"";
        continue;
      }
      seen.insert(key);
      ASSERT_NE(partner, nullptr) << label.text;
      EXPECT_EQ(partner->id, meant->second)
          << "dialog " << resource << ", \"" << group << "\": the label \"" << label.text
          << "\" stands at control " << partner->id;
    }
  }
  for (const auto& [key, id] : meaning) {
    EXPECT_TRUE(seen.count(key)) << "dialog " << std::get<0>(key) << " lacks the label \""
                                 << std::get<2>(key) << "\" in \"" << std::get<1>(key) << "\"";
  }
}

// The information dialog in dialog units, and its picture: a BMP filling the picture's box.
TEST(Win32Resources, InformationDialogAndItsPicture) {
  const RcDialog& info = Dialogs().at(106);
  EXPECT_EQ(info.rect, (Rect{0, 0, 337, 166}));
  std::map<std::string, Rect> at;
  for (const RcControl& c : info.controls)
    at[c.keyword + " " + c.text.substr(0, c.text.find(' '))] = c.rect;
  EXPECT_EQ(at["CONTROL 109"], (Rect{17, 11, 80, 103}));
  EXPECT_EQ(at["GROUPBOX "], (Rect{107, 7, 223, 60}));
  EXPECT_EQ(at["DEFPUSHBUTTON Продолжить"], (Rect{280, 145, 50, 14}));
  EXPECT_EQ(at["LTEXT Формирование"], (Rect{109, 69, 212, 18}));

  std::ifstream bmp(testing::SourceDir() + "/src/dialogs/win32/sheet.bmp", std::ios::binary);
  unsigned char header[54] = {};
  ASSERT_TRUE(bmp.read(reinterpret_cast<char*>(header), 54));
  const auto le32 = [&](int at) {
    return static_cast<std::int32_t>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                     static_cast<std::uint32_t>(header[at + 3]) << 24);
  };
  EXPECT_TRUE(header[0] == 'B' && header[1] == 'M');
  // 80 x 103 dialog units are 6 x 13 pixels every 4 x 8 units.
  EXPECT_EQ(le32(18), 120);
  EXPECT_NEAR(std::abs(le32(22)), 103 * 13 / 8.0, 1.0);
}

}  // namespace
}  // namespace mapbasis
