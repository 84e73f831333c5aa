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

constexpr int kClosedListHeight = 14;

std::string Trim(std::string s) {
  s.erase(0, s.find_first_not_of(" \t\r"));
  s.erase(s.find_last_not_of(" \t\r") + 1);
  return s;
}

// The fields of a statement after its keyword: a quoted text stays whole, the rest split at
// commas.
std::vector<std::string> Fields(const std::string& rest) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (const char c : rest) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      fields.push_back(Trim(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(Trim(field));
  return fields;
}

std::string Unquote(const std::string& s) {
  return s.size() >= 2 && s.front() == '"' ? s.substr(1, s.size() - 2) : s;
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
      const auto f = Fields(line.substr(line.find("DIALOGEX") + 8));
      current->rect = {std::stoi(f[0]), std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])};
      inBody = false;
    } else if (current != nullptr && first == "CAPTION") {
      current->caption = Unquote(Trim(line.substr(7)));
    } else if (current != nullptr && first == "BEGIN") {
      inBody = true;
    } else if (current != nullptr && first == "END") {
      current = nullptr;
    } else if (current != nullptr && inBody) {
      RcControl c;
      c.keyword = first;
      auto f = Fields(Trim(line.substr(first.size())));
      if (first == "CONTROL") {  // text, id, class, style, x, y, w, h
        c.text = Unquote(f[0]);
        c.id = std::stoi(f[1]);
        c.style = f[2] + " " + f[3];
        f.erase(f.begin(), f.begin() + 4);
      } else {
        if (first != "COMBOBOX" && first != "EDITTEXT") {
          c.text = Unquote(f[0]);
          f.erase(f.begin());
        }
        c.id = std::stoi(f[0]);
        f.erase(f.begin());
        if (f.size() > 4) c.style = f[4];
      }
      c.rect = {std::stoi(f[0]), std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])};
      // A list's height is that of its drop-down part; closed, it is one line.
      if (first == "COMBOBOX") c.rect.h = std::min(c.rect.h, kClosedListHeight);
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

  void SetText(int id, std::string_view) override {
    Expect(id, {Kind::Field, Kind::ReadOnlyField, Kind::Static}, "SetText");
  }
  std::string GetText(int id) const override {
    Expect(id, {Kind::Field, Kind::ReadOnlyField, Kind::Static}, "GetText");
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
    const auto found = selection_.find(id);
    return found == selection_.end() ? 0 : found->second;
  }
  void SetEnabled(int id, bool) override {
    Expect(id, {Kind::List, Kind::Static, Kind::Button, Kind::Field}, "SetEnabled");
  }
  // Overrides the layer's focus primitive where the layer has one.
  void SetFocus(int id) override {
    Expect(id, {Kind::List, Kind::Field, Kind::ReadOnlyField, Kind::Button}, "SetFocus");
  }
  void DlgSetSub(int id, Callback callback) override {
    Expect(id, {Kind::List, Kind::Button}, "DlgSetSub");
    callbacks_[id] = std::move(callback);
  }
  int DlgModal() override { return turn_(*this); }

  // What a user does: picks the last item of a list, clicks a button.
  void Choose(int id) {
    selection_[id] = items_[id];
    callbacks_.at(id)(*this, id, DialogReason::SelectionChanged);
  }
  void Click(int id) { callbacks_.at(id)(*this, id, DialogReason::Clicked); }
  std::set<int> registered() const {
    std::set<int> ids;
    for (const auto& [id, callback] : callbacks_) ids.insert(id);
    return ids;
  }

 private:
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
    if (!Dialogs().count(resource)) {
      ADD_FAILURE() << "no dialog " << resource << " in the resources";
      return nullptr;
    }
    shown.push_back(resource);
    return std::make_unique<ResourceDialog>(resource, turns.at(resource));
  }
  void ShowMessageBox(std::string_view, std::string_view, BoxIcon) override {}
  std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path&,
                                                    std::string_view) override {
    return std::filesystem::path("C:\\Maps");
  }

  std::map<int, std::function<int(ResourceDialog&)>> turns;
  std::vector<int> shown;
};

// The whole interactive run over the resources: every list changed, every button pressed.
TEST(Win32Resources, TheDialogLogicFindsEveryControlItAddresses) {
  ResourceToolkit toolkit;
  std::set<int> registered;
  toolkit.turns[ids::kInfoDialog] = [](ResourceDialog&) { return ids::kOk; };
  toolkit.turns[ids::kRefinementDialog] = [](ResourceDialog& d) {
    d.Click(ids::kTestButton);
    return ids::kCancel;
  };
  toolkit.turns[ids::kParameterDialog] = [&registered](ResourceDialog& d) {
    // The series last: its 1:1 000 000 item turns the sheet number and its label off.
    for (const int list :
         {ids::kSheetNumber, ids::kBelt, ids::kZone, ids::kSheetKind, ids::kSeriesScale}) {
      d.Choose(list);
    }
    d.Click(ids::kRefineButton);
    d.Click(ids::kFindFolderButton);
    registered = d.registered();
    return ids::kOk;
  };
  std::ostringstream text;
  DialogShell shell(toolkit, text);
  shell.STARTDIALOG();
  SheetParameters p;
  EXPECT_EQ(shell.RUNDIALOG1(p), 0);
  EXPECT_EQ(toolkit.shown, (std::vector<int>{106, 101, 113}));
  // Every list and button of the main dialog answers the user: the lists refill each other and
  // keep the sheet in view, the buttons open the refinement and the picker.
  EXPECT_EQ(registered, (std::set<int>{1005, 1006, 1007, 1008, 1011, 1012, 1013, 1014, 1015}));
  EXPECT_EQ(text.str(), "");
}

// Every control of the scripted stand-in's dialogs, the layer's own list, is in the resources
// once; the lists drop down without sorting (the logic counts items in its own order), the
// result folder scrolls, and only the closing buttons are the dialogs' defaults.
TEST(Win32Resources, ControlsAreThereOnceWithTheirStyles) {
  for (const auto& [resource, controls] : testing::kDialogControls) {
    ASSERT_TRUE(Dialogs().count(resource)) << resource;
    for (const int id : controls) {
      const auto& all = Dialogs().at(resource).controls;
      EXPECT_EQ(std::count_if(all.begin(), all.end(), [id](auto& c) { return c.id == id; }), 1)
          << "dialog " << resource << ", control " << id;
    }
    for (const RcControl& c : Dialogs().at(resource).controls) {
      if (c.keyword == "COMBOBOX") {
        EXPECT_TRUE(Has(c.style, "CBS_DROPDOWNLIST") && !Has(c.style, "CBS_SORT")) << c.id;
      }
      if (c.keyword == "DEFPUSHBUTTON") {
        EXPECT_EQ(c.id, ids::kOk) << resource;
      }
    }
  }
  const auto& main = Dialogs().at(ids::kParameterDialog).controls;
  const auto folder =
      std::find_if(main.begin(), main.end(), [](auto& c) { return c.id == ids::kResultFolder; });
  ASSERT_NE(folder, main.end());
  EXPECT_EQ(KindOf(*folder), Kind::Field);
  EXPECT_TRUE(Has(folder->style, "ES_AUTOHSCROLL"));
  EXPECT_EQ(std::count_if(main.begin(), main.end(), [](auto& c) { return c.id == 1061; }), 1)
      << "the line showing the sheet";
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
  EXPECT_EQ(Dialogs().at(101).caption, "Задать параметры генерации математической основы карты");
  EXPECT_EQ(Dialogs().at(113).caption, "Изменение параметров трапеции и ее разграфки");
  EXPECT_EQ(Dialogs().at(106).caption, "");
  const std::vector<std::pair<int, std::string>> texts = {
      {106, "ПРОГРАММА ГЕНЕРАЦИИ МАТЕМАТИЧЕСКОЙ ОСНОВЫ"},
      {106, "ЦИФРОВЫХ МОДЕЛЕЙ КАРТ"},
      {106, "1 : 1 000 000  "},
      {106, "1 : 200 000"},
      {106, "Версия 3.0"},
      {106, "Продолжить"},
      {106,
       "Формирование Shape-файлов, содержащих математическую основу листа по правилам "
       "нормативного документа:"},
      {101, "Система координат:"},
      {101, "Масштаб комплекта :"},
      {101, "Масштаб карты (схемы) :"},
      {101, "Пояс"},
      {101, "Зона"},
      {101, " Номер листа"},
      {101, "Базовая трапеция --->"},
      {101, "Уточнить параметры разграфки"},
      {101, "Найти"},
      {101, "Папка для рез. файлов"},
      {101, "OK"},
      {101, "Cancel"},
      {113, "Характеристики  базовой трапеции"},
      {113, "Характеристики  результирующей трапеции"},
      {113, "Разграфка базовой трапеции по долготе"},
      {113, "Разграфка результирующей трапеции по долготе"},
      {113, "Разграфка базовой трапеции по широте"},
      {113, "Разграфка результирующей трапеции по широте"},
      {113, "Вид трапеции:"},
      {113, "Размер трапеции по долготе:"},
      {113, "Размер трапеции по широте:"},
      {113, "Начальная долгота:"},
      {113, "Конечная   долгота:"},
      {113, "Начальная широта:"},
      {113, "Конечная широта:"},
      {113, "Расстояние между меридианами:"},
      {113, "Расстояние между параллелями:"},
      {113, "Цена деления минутной шкалы:"},
      {113, "Test"},
      {113, "OK"},
      {113, "Cancel"}};
  for (const auto& [resource, text] : texts) {
    const auto& all = Dialogs().at(resource).controls;
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](auto& c) { return c.text == text; }))
        << "dialog " << resource << " lacks \"" << text << "\"";
  }
}

// The information dialog in dialog units, and its picture: a BMP filling the picture's box.
TEST(Win32Resources, InformationDialogAndItsPicture) {
  const RcDialog& info = Dialogs().at(106);
  EXPECT_EQ(info.rect, (Rect{0, 0, 337, 166}));
  std::map<std::string, Rect> at;
  for (const RcControl& c : info.controls) at[c.keyword + " " + c.text] = c.rect;
  EXPECT_EQ(at["CONTROL 109"], (Rect{17, 11, 80, 103}));
  EXPECT_EQ(at["GROUPBOX "], (Rect{107, 7, 223, 60}));
  EXPECT_EQ(at["DEFPUSHBUTTON Продолжить"], (Rect{280, 145, 50, 14}));
  EXPECT_EQ(at["LTEXT Формирование Shape-файлов, содержащих математическую основу листа по "
               "правилам нормативного документа:"],
            (Rect{109, 69, 212, 18}));

  std::ifstream bmp(testing::SourceDir() + "/src/dialogs/win32/sheet.bmp", std::ios::binary);
  std::string header(54, '\0');
  ASSERT_TRUE(bmp.read(header.data(), 54));
  const auto le32 = [&](int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(header[at + i]);
    return static_cast<std::int32_t>(v);
  };
  EXPECT_EQ(header.substr(0, 2), "BM");
  const int width = le32(18), height = std::abs(le32(22));
  // 80 x 103 dialog units are 6 x 13 pixels every 4 x 8 units.
  EXPECT_EQ(width, 120);
  EXPECT_NEAR(height, 103 * 13 / 8.0, 1.0);
}

}  // namespace
}  // namespace mapbasis
