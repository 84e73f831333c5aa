// A stand-in for the dialog layer that plays a script: each showing of a dialog is one turn of a
// scripted user, who picks list items, types, clicks and closes it with a button. Message boxes
// and folder picks are recorded or scripted too. Tests speak UTF-8; the layer holds cp1251.
#pragma once

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/messages.h"
#include "dialogs/dialog_description.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/dialog_layer.h"

namespace mapbasis::testing {

// The control of the dialog's description that the logic addresses, as one of `kinds`; a control
// the description lacks, or holds as another kind (a field where the logic fills a list), fails
// the test.
inline void ExpectControl(int resource, int id, std::initializer_list<ControlKind> kinds,
                          const char* what) {
  const DialogDescription* dialog = FindDialog(resource);
  const ControlDescription* control = dialog == nullptr ? nullptr : dialog->Find(id);
  if (control == nullptr) {
    ADD_FAILURE() << what << ": dialog " << resource << " has no control " << id;
  } else if (std::find(kinds.begin(), kinds.end(), control->kind) == kinds.end()) {
    ADD_FAILURE() << what << ": control " << id << " of dialog " << resource << " is another kind";
  }
}

inline constexpr std::initializer_list<ControlKind> kAnyKind = {
    ControlKind::Text, ControlKind::Group, ControlKind::Picture,
    ControlKind::List, ControlKind::Field, ControlKind::Button};
inline constexpr std::initializer_list<ControlKind> kList = {ControlKind::List};
inline constexpr std::initializer_list<ControlKind> kTexts = {ControlKind::Text,
                                                              ControlKind::Field};

inline std::string Cp(const std::string& utf8) { return *Utf8ToCp1251(utf8); }
inline std::string Utf8(std::string_view cp1251) { return Cp1251ToUtf8(cp1251); }

class ScriptedToolkit;

class ScriptedDialog final : public Dialog {
 public:
  ScriptedDialog(ScriptedToolkit& toolkit, int resource) : resource(resource), toolkit_(toolkit) {}

  void SetText(int id, std::string_view text) override {
    Control& c = At(id, kTexts, "SetText");
    c.text = text;
    c.shown.reset();
  }
  std::string GetText(int id) const override { return At(id, kTexts, "GetText").text; }
  std::string GetTextUtf8(int id) const override {
    const Control& c = At(id, kTexts, "GetTextUtf8");
    return c.shown ? *c.shown : Utf8(c.text);
  }
  void SetItemCount(int id, int count) override {
    At(id, kList, "SetItemCount").items.resize(count);
  }
  void SetItemText(int id, int item, std::string_view text) override {
    Control& list = At(id, kList, "SetItemText");
    ASSERT_TRUE(item >= 1 && item <= static_cast<int>(list.items.size())) << id << ":" << item;
    list.items[item - 1] = text;
  }
  void SetSelection(int id, int item) override { At(id, kList, "SetSelection").selection = item; }
  int GetSelection(int id) const override { return At(id, kList, "GetSelection").selection; }
  void SetEnabled(int id, bool enabled) override {
    At(id, kAnyKind, "SetEnabled").enabled = enabled;
  }
  void SetFocus(int id) override {
    At(id, {ControlKind::List, ControlKind::Field, ControlKind::Button}, "SetFocus");
    focus = id;
  }
  void DlgSetSub(int id, Callback callback) override {
    At(id, {ControlKind::List, ControlKind::Button}, "DlgSetSub").callback = std::move(callback);
  }
  int DlgModal() override;
  // A callback that ends the showing: its button wins over the one the turn closes it with.
  void DlgEnd(int buttonId) override { endedWith = buttonId; }

  // What the user does: picks an item of a list, clicks a button, types into a field that is not
  // read-only.
  void Choose(int id, int item) {
    Control& list = At(id, kList, "Choose");
    ASSERT_TRUE(list.enabled) << "list " << id << " is disabled";
    ASSERT_TRUE(item >= 1 && item <= static_cast<int>(list.items.size())) << id << ":" << item;
    list.selection = item;
    Fire(id, DialogReason::SelectionChanged);
  }
  void Click(int id) {
    At(id, {ControlKind::Button}, "Click");
    Fire(id, DialogReason::Clicked);
  }
  void Type(int id, const std::string& utf8) {
    Control& field = Typed(id);
    field.text = Cp(utf8);
    field.shown.reset();
  }
  // Typed or pasted with characters cp1251 lacks: the field reads them back as question marks,
  // and shows them.
  void Paste(int id, const std::string& utf8) {
    Control& field = Typed(id);
    field.text = Utf8ToCp1251Lossy(utf8);
    field.shown = utf8;
  }

  // What the user sees.
  std::string Text(int id) const { return Utf8(At(id, kTexts, "Text").text); }
  std::vector<std::string> Items(int id) const {
    std::vector<std::string> items;
    for (const auto& item : At(id, kList, "Items").items) items.push_back(Utf8(item));
    return items;
  }
  int Selected(int id) const { return At(id, kList, "Selected").selection; }
  bool Enabled(int id) const { return At(id, kAnyKind, "Enabled").enabled; }

  const int resource;
  int focus = 0;      // the control last given the focus; 0 when none was
  int endedWith = 0;  // the button a callback ended the showing with; 0 when none did

 private:
  struct Control {
    std::string text;
    std::optional<std::string> shown;  // UTF-8, when it holds what cp1251 lacks
    std::vector<std::string> items;
    int selection = 0;
    bool enabled = true;
    Callback callback;
  };

  Control& At(int id, std::initializer_list<ControlKind> kinds, const char* what) const {
    ExpectControl(resource, id, kinds, what);
    return controls_[id];
  }
  Control& Typed(int id) {
    const DialogDescription* dialog = FindDialog(resource);
    const ControlDescription* field = dialog == nullptr ? nullptr : dialog->Find(id);
    EXPECT_TRUE(field != nullptr && field->kind == ControlKind::Field && !field->readOnly)
        << "control " << id << " of dialog " << resource << " is no field a user types into";
    return controls_[id];
  }
  void Fire(int id, DialogReason reason) {
    if (const Callback callback = controls_[id].callback) callback(*this, id, reason);
  }

  ScriptedToolkit& toolkit_;
  mutable std::map<int, Control> controls_;
};

struct ShownMessage {
  std::string text, caption;  // UTF-8
  BoxIcon icon;
  bool operator==(const ShownMessage&) const = default;
};

// One showing of a dialog: what the user does there, and the button that closes it.
using Turn = std::function<int(ScriptedDialog&)>;

// The language of the messages for the life of a test, and the one before it afterwards.
class ScopedMessageLanguage {
 public:
  explicit ScopedMessageLanguage(Language language) : before_(MessageLanguage()) {
    SetMessageLanguage(language);
  }
  ~ScopedMessageLanguage() { SetMessageLanguage(before_); }
  ScopedMessageLanguage(const ScopedMessageLanguage&) = delete;
  ScopedMessageLanguage& operator=(const ScopedMessageLanguage&) = delete;

 private:
  Language before_;
};

// The dialogs speak Russian, as in the interactive run.
class ScriptedToolkit final : public DialogToolkit {
 public:
  // The next showing of `resource` plays `turn`.
  void Then(int resource, Turn turn) { turns_.emplace_back(resource, std::move(turn)); }

  // The folder picker's answers in turn: a folder, or nothing for Cancel. `whilePicking` runs
  // while the picker is open.
  void PickFolder(std::optional<std::filesystem::path> folder,
                  std::function<void()> whilePicking = {}) {
    picks_.push_back({std::move(folder), std::move(whilePicking)});
  }

  std::unique_ptr<Dialog> DlgInit(int resource) override {
    if (missing.count(resource)) return nullptr;
    EXPECT_NE(FindDialog(resource), nullptr) << "no dialog " << resource << " in the description";
    return std::make_unique<ScriptedDialog>(*this, resource);
  }

  void ShowMessageBox(std::string_view text, std::string_view caption, BoxIcon icon) override {
    messages.push_back({Utf8(text), Utf8(caption), icon});
  }

  std::optional<std::filesystem::path> ChooseFolder(const std::filesystem::path& initial,
                                                    std::string_view title) override {
    pickerStart = initial;
    pickerTitle = Utf8(title);
    if (picks_.empty()) {
      ADD_FAILURE() << "the folder picker was not expected";
      return std::nullopt;
    }
    auto pick = std::move(picks_.front());
    picks_.pop_front();
    if (pick.whilePicking) pick.whilePicking();
    return pick.folder;
  }

  int Play(ScriptedDialog& dialog) {
    shown.push_back(dialog.resource);
    if (turns_.empty() || turns_.front().first != dialog.resource) {
      ADD_FAILURE() << "dialog " << dialog.resource << " was not expected now";
      return ids::kCancel;
    }
    const Turn turn = std::move(turns_.front().second);
    turns_.pop_front();
    dialog.endedWith = 0;
    const int closedBy = turn(dialog);
    return dialog.endedWith != 0 ? dialog.endedWith : closedBy;
  }

  bool ScriptDone() const { return turns_.empty() && picks_.empty(); }

  ScopedMessageLanguage russian{Language::kRussian};

  std::set<int> missing;               // resources that cannot be made
  std::vector<int> shown;              // every showing, in order
  std::vector<ShownMessage> messages;  // every message box, in order
  std::filesystem::path pickerStart;
  std::string pickerTitle;

 private:
  struct Pick {
    std::optional<std::filesystem::path> folder;
    std::function<void()> whilePicking;
  };
  std::deque<std::pair<int, Turn>> turns_;
  std::deque<Pick> picks_;
};

inline int ScriptedDialog::DlgModal() { return toolkit_.Play(*this); }

}  // namespace mapbasis::testing
