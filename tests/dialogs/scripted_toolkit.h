// A stand-in for the dialog layer that plays a script: each showing of a dialog is one turn of a
// scripted user, who picks list items, types, clicks and closes it with a button. Message boxes
// and folder picks are recorded or scripted too. Tests speak UTF-8; the layer holds cp1251.
#pragma once

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
#include "dialogs/dialog_ids.h"
#include "dialogs/dialog_layer.h"

namespace mapbasis::testing {

// The controls each dialog has, written out here rather than taken from the program, so that a
// wrong id in the program shows up as a control the dialog does not have.
inline const std::map<int, std::set<int>> kDialogControls = {
    {106, {1}},
    {101, {1015, 1011, 1012, 1005, 1007, 1008, 1010, 1006, 1014, 1013, 1027, 1061, 1, 2}},
    {113, {1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1046, 1047, 1048, 1053, 1054,
           1055, 1056, 1057, 1058, 1034, 1043, 1044, 1045, 1049, 1050, 1,    2}},
};

inline std::string Cp(const std::string& utf8) { return *Utf8ToCp1251(utf8); }
inline std::string Utf8(std::string_view cp1251) { return Cp1251ToUtf8(cp1251); }

class ScriptedToolkit;

class ScriptedDialog final : public Dialog {
 public:
  ScriptedDialog(ScriptedToolkit& toolkit, int resource) : resource(resource), toolkit_(toolkit) {}

  void SetText(int id, std::string_view text) override {
    At(id).text = text;
    At(id).shown.reset();
  }
  std::string GetText(int id) const override { return At(id).text; }
  std::string GetTextUtf8(int id) const override {
    return At(id).shown ? *At(id).shown : Utf8(At(id).text);
  }
  void SetItemCount(int id, int count) override { At(id).items.resize(count); }
  void SetItemText(int id, int item, std::string_view text) override {
    ASSERT_TRUE(item >= 1 && item <= static_cast<int>(At(id).items.size())) << id << ":" << item;
    At(id).items[item - 1] = text;
  }
  void SetSelection(int id, int item) override { At(id).selection = item; }
  int GetSelection(int id) const override { return At(id).selection; }
  void SetEnabled(int id, bool enabled) override { At(id).enabled = enabled; }
  void SetFocus(int id) override {
    At(id);
    focus = id;
  }
  void DlgSetSub(int id, Callback callback) override { At(id).callback = std::move(callback); }
  int DlgModal() override;
  // A callback that ends the showing: its button wins over the one the turn closes it with.
  void DlgEnd(int buttonId) override { endedWith = buttonId; }

  // What the user does.
  void Choose(int id, int item) {
    ASSERT_TRUE(At(id).enabled) << "list " << id << " is disabled";
    ASSERT_TRUE(item >= 1 && item <= static_cast<int>(At(id).items.size())) << id << ":" << item;
    At(id).selection = item;
    Fire(id, DialogReason::SelectionChanged);
  }
  void Click(int id) { Fire(id, DialogReason::Clicked); }
  void Type(int id, const std::string& utf8) {
    At(id).text = Cp(utf8);
    At(id).shown.reset();
  }
  // Typed or pasted with characters cp1251 lacks: the field reads them back as question marks,
  // and shows them.
  void Paste(int id, const std::string& utf8) {
    At(id).text = Utf8ToCp1251Lossy(utf8);
    At(id).shown = utf8;
  }

  // What the user sees.
  std::string Text(int id) const { return Utf8(At(id).text); }
  std::vector<std::string> Items(int id) const {
    std::vector<std::string> items;
    for (const auto& item : At(id).items) items.push_back(Utf8(item));
    return items;
  }
  int Selected(int id) const { return At(id).selection; }
  bool Enabled(int id) const { return At(id).enabled; }

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

  Control& At(int id) const {
    EXPECT_TRUE(kDialogControls.at(resource).count(id))
        << "dialog " << resource << " has no " << id;
    return controls_[id];
  }
  void Fire(int id, DialogReason reason) {
    if (const Callback callback = At(id).callback) callback(*this, id, reason);
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
