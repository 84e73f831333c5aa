#include "dialogs/dialog_description.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <stdexcept>
#include <utility>

#include "core/cp1251.h"
#include "driver/program.h"

namespace mapbasis {

namespace {

constexpr std::string_view kVersionPlaceholder = "{{VERSION}}";

struct Token {
  std::string text;
  bool quoted = false;
};

// The words of a line; a quoted text is one word, without its quotes. False for a quote left
// open.
bool SplitWords(std::string_view line, std::vector<Token>& words) {
  std::size_t at = 0;
  while (at < line.size()) {
    if (line[at] == ' ' || line[at] == '\t') {
      ++at;
    } else if (line[at] == '"') {
      const std::size_t end = line.find('"', at + 1);
      if (end == std::string_view::npos) return false;
      words.push_back({std::string(line.substr(at + 1, end - at - 1)), true});
      at = end + 1;
    } else {
      std::size_t end = at;
      while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '"') ++end;
      words.push_back({std::string(line.substr(at, end - at)), false});
      at = end;
    }
  }
  return true;
}

std::optional<int> Number(const Token& word) {
  int value = 0;
  const char* end = word.text.data() + word.text.size();
  const auto [stop, ec] = std::from_chars(word.text.data(), end, value);
  if (word.quoted || ec != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool IsName(const Token& word) {
  if (word.quoted || word.text.empty()) return false;
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (!letter(word.text.front()) || word.text.front() > 'Z') return false;
  for (const char c : word.text) {
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

std::optional<ControlKind> KindNamed(std::string_view word) {
  constexpr std::pair<std::string_view, ControlKind> kKinds[] = {
      {"text", ControlKind::Text}, {"group", ControlKind::Group}, {"picture", ControlKind::Picture},
      {"list", ControlKind::List}, {"field", ControlKind::Field}, {"button", ControlKind::Button}};
  for (const auto& [name, kind] : kKinds) {
    if (name == word) return kind;
  }
  return std::nullopt;
}

// The part before the second dot; a version without a second dot stays whole.
std::string_view MajorMinor(std::string_view version) {
  const std::size_t first = version.find('.');
  if (first == std::string_view::npos) return version;
  return version.substr(0, version.find('.', first + 1));
}

// The text with the version filled in; nothing when it holds another placeholder.
std::optional<std::string> Filled(std::string text, std::string_view version) {
  for (std::size_t at = text.find(kVersionPlaceholder); at != std::string::npos;
       at = text.find(kVersionPlaceholder, at + version.size())) {
    text.replace(at, kVersionPlaceholder.size(), version);
  }
  if (text.find("{{") != std::string::npos) return std::nullopt;
  return text;
}

class Reader {
 public:
  explicit Reader(std::string_view version) : version_(MajorMinor(version)) {}

  // An empty text when the line was read, else what is wrong with it.
  std::string Line(std::string_view line) {
    std::vector<Token> words;
    if (!SplitWords(line, words)) return "a quote is not closed";
    if (words.empty() || (!words.front().quoted && words.front().text.front() == '#')) return {};
    if (words.front().text == "dialog" && !words.front().quoted) return Dialog(words);
    return Control(words);
  }

  std::vector<DialogDescription> Done() { return std::move(dialogs_); }

 private:
  std::string Dialog(const std::vector<Token>& words) {
    if (words.size() < 6 || words.size() > 7) {
      return "a dialog is: dialog NUMBER NAME WIDTH HEIGHT \"TITLE\" [nocaption]";
    }
    DialogDescription dialog;
    const std::optional<int> resource = Number(words[1]);
    const std::optional<int> width = Number(words[3]), height = Number(words[4]);
    if (!resource || *resource <= 0) return "the dialog's number is not a number above 0";
    if (!IsName(words[2])) return "the dialog's name \"" + words[2].text + "\" is not a name";
    if (!width || !height || *width <= 0 || *height <= 0) return "the dialog's size is not one";
    if (!words[5].quoted) return "the dialog's title is not quoted";
    const std::optional<std::string> title = Filled(words[5].text, version_);
    if (!title) return "the title holds a placeholder other than {{VERSION}}";
    if (words.size() == 7 && (words[6].quoted || words[6].text != "nocaption")) {
      return "\"" + words[6].text + "\" is not nocaption";
    }
    for (const DialogDescription& other : dialogs_) {
      if (other.resource == *resource) return "dialog " + words[1].text + " comes twice";
    }
    dialog.resource = *resource;
    dialog.name = words[2].text;
    dialog.width = *width;
    dialog.height = *height;
    dialog.title = *title;
    dialog.caption = words.size() == 6;
    dialogs_.push_back(std::move(dialog));
    return {};
  }

  std::string Control(const std::vector<Token>& words) {
    if (dialogs_.empty()) return "a control before the first dialog";
    const std::optional<ControlKind> kind =
        words.front().quoted ? std::nullopt : KindNamed(words.front().text);
    if (!kind) return "\"" + words.front().text + "\" is neither a dialog nor a kind of control";
    if (words.size() < 7)
      return "a control is: KIND NAME ID X Y WIDTH HEIGHT [\"TEXT\"] [FLAG ...]";
    ControlDescription c;
    c.kind = *kind;
    const bool anonymous = words[1].text == "-" && !words[1].quoted;
    if (anonymous != (words[2].text == "-" && !words[2].quoted)) {
      return "a control has both a name and an id, or neither";
    }
    if (!anonymous) {
      const std::optional<int> id = Number(words[2]);
      if (!IsName(words[1])) return "\"" + words[1].text + "\" is not a name";
      if (!id || *id <= 0 || *id > 0xFFFF) return "the id \"" + words[2].text + "\" is not one";
      c.name = words[1].text;
      c.id = *id;
    }
    const std::optional<int> x = Number(words[3]), y = Number(words[4]);
    const std::optional<int> w = Number(words[5]), h = Number(words[6]);
    if (!x || !y || !w || !h || *x < 0 || *y < 0 || *w <= 0 || *h <= 0) {
      return "the place is not four numbers, the size above 0";
    }
    c.place = {*x, *y, *w, *h};
    std::size_t next = 7;
    if (next < words.size() && words[next].quoted) {
      const std::optional<std::string> text = Filled(words[next].text, version_);
      if (!text) return "the text holds a placeholder other than {{VERSION}}";
      c.text = *text;
      ++next;
    }
    for (; next < words.size(); ++next) {
      if (std::string fault = Flag(words[next], c); !fault.empty()) return fault;
    }
    if ((c.kind == ControlKind::Picture) != (c.bitmap != 0)) {
      return "a picture, and only a picture, has its bitmap";
    }
    DialogDescription& dialog = dialogs_.back();
    if (c.id > 0 && dialog.Find(c.id) != nullptr) {
      return "id " + std::to_string(c.id) + " comes twice in dialog " + dialog.name;
    }
    dialog.controls.push_back(std::move(c));
    return {};
  }

  static std::string Flag(const Token& word, ControlDescription& c) {
    const auto only = [&word](bool fits, const char* kind) {
      return fits ? std::string() : "\"" + word.text + "\" belongs to " + kind;
    };
    if (word.quoted) return "a second text, \"" + word.text + "\"";
    if (word.text == "readonly") {
      c.readOnly = true;
      return only(c.kind == ControlKind::Field, "a field");
    }
    if (word.text == "default") {
      c.isDefault = true;
      return only(c.kind == ControlKind::Button, "a button");
    }
    if (word.text == "center") {
      c.centered = true;
      return only(c.kind == ControlKind::Text, "a text");
    }
    if (word.text == "ellipsis") {
      c.ellipsis = true;
      return only(c.kind == ControlKind::Text, "a text");
    }
    if (word.text.starts_with("bitmap=")) {
      const std::optional<int> bitmap = Number({word.text.substr(7), false});
      if (!bitmap || *bitmap <= 0) return "\"" + word.text + "\" names no bitmap";
      c.bitmap = *bitmap;
      return only(c.kind == ControlKind::Picture, "a picture");
    }
    return "unknown flag \"" + word.text + "\"";
  }

  std::string version_;
  std::vector<DialogDescription> dialogs_;
};

}  // namespace

bool ControlDescription::TabStop() const {
  switch (kind) {
    case ControlKind::List:
    case ControlKind::Button: return true;
    case ControlKind::Field: return !readOnly;
    case ControlKind::Text:
    case ControlKind::Group:
    case ControlKind::Picture: break;
  }
  return false;
}

DialogRect ControlDescription::Closed() const {
  DialogRect r = place;
  if (kind == ControlKind::List) r.height = std::min(r.height, kClosedListHeight);
  return r;
}

const ControlDescription* DialogDescription::Find(int id) const {
  for (const ControlDescription& c : controls) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

const ControlDescription* DialogDescription::LabelOf(int id) const {
  for (std::size_t i = 1; i < controls.size(); ++i) {
    const ControlDescription& c = controls[i];
    if (c.id != id) continue;
    const bool labelled = c.kind == ControlKind::List || c.kind == ControlKind::Field;
    const ControlDescription& before = controls[i - 1];
    return labelled && before.kind == ControlKind::Text ? &before : nullptr;
  }
  return nullptr;
}

const ControlDescription* DialogDescription::GroupOf(const ControlDescription& control) const {
  const ControlDescription* innermost = nullptr;
  for (const ControlDescription& c : controls) {
    if (c.kind == ControlKind::Group && &c != &control && c.place.Contains(control.Closed()) &&
        (innermost == nullptr || innermost->place.Contains(c.place))) {
      innermost = &c;
    }
  }
  return innermost;
}

DialogDescriptions ParseDialogDescriptions(std::string_view text, std::string_view version) {
  Reader reader(version);
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (std::string fault = IsValidUtf8(line) ? reader.Line(line) : "not UTF-8"; !fault.empty()) {
      return {{}, "line " + std::to_string(number) + ": " + fault};
    }
  }
  DialogDescriptions read{reader.Done(), {}};
  if (read.dialogs.empty()) read.error = "no dialog";
  return read;
}

const std::vector<DialogDescription>& ProgramDialogs() {
  static const std::vector<DialogDescription> dialogs = [] {
    DialogDescriptions read =
        ParseDialogDescriptions(DialogDescriptionFile("dialog_description.txt"), ProgramVersion());
    if (!read.error.empty()) {
      throw std::logic_error("dialog_description.txt, " + read.error);
    }
    return std::move(read.dialogs);
  }();
  return dialogs;
}

const DialogDescription* FindDialog(int resource) {
  for (const DialogDescription& dialog : ProgramDialogs()) {
    if (dialog.resource == resource) return &dialog;
  }
  return nullptr;
}

}  // namespace mapbasis
