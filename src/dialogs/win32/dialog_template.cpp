#include "dialogs/win32/dialog_template.h"

#include <string_view>

#include "core/cp1251.h"

namespace mapbasis {

namespace {

using namespace win32_style;

// The dialog font: "MS Shell Dlg" is the system's dialog face, which has the Cyrillic letters on
// every system and the metrics of 8-point MS Sans Serif.
constexpr std::uint16_t kFontPoints = 8;
constexpr std::uint16_t kFontWeight = 400;
constexpr std::uint8_t kFontCharset = 1;  // DEFAULT_CHARSET
constexpr std::u16string_view kFontFace = u"MS Shell Dlg";

class Words {
 public:
  void Word(std::uint16_t word) { words_.push_back(word); }
  void DoubleWord(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value & 0xFFFF));
    Word(static_cast<std::uint16_t>(value >> 16));
  }
  void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
  // A zero-terminated UTF-16 text, from UTF-8.
  void Text(std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
      char32_t cp = 0;
      const std::size_t length = cp1251_detail::DecodeUtf8(utf8, at, cp);
      if (length == 0) {
        cp = U'\uFFFD';
        at += 1;
      } else {
        at += length;
      }
      if (cp >= 0x10000) {
        Word(static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        Word(static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
      } else {
        Word(static_cast<std::uint16_t>(cp));
      }
    }
    Word(0);
  }
  void Text(std::u16string_view text) {
    for (const char16_t c : text) Word(static_cast<std::uint16_t>(c));
    Word(0);
  }
  // A resource or class named by its number.
  void Ordinal(std::uint16_t number) {
    Word(0xFFFF);
    Word(number);
  }
  // Each item starts on a 32-bit boundary of the template.
  void AlignToDoubleWord() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<std::uint16_t> Done() { return std::move(words_); }

 private:
  std::vector<std::uint16_t> words_;
};

std::uint32_t DialogStyle(const DialogDescription& dialog) {
  const std::uint32_t frame = dialog.caption ? kCaption | kSysMenu : kBorder;
  return kPopup | frame | kShellFont | kModalFrame | kCenter;
}

std::uint16_t ClassOf(const ControlDescription& c) {
  switch (c.kind) {
    case ControlKind::Group:
    case ControlKind::Button: return kButtonClass;
    case ControlKind::Field: return kEditClass;
    case ControlKind::List: return kComboBoxClass;
    case ControlKind::Text:
    case ControlKind::Picture: break;
  }
  return kStaticClass;
}

// The styles of each kind; a text's ampersand is a letter, not a mnemonic.
std::uint32_t ControlStyle(const ControlDescription& c) {
  std::uint32_t style = kChild | kVisible | (c.TabStop() ? kTabStop : 0u);
  switch (c.kind) {
    case ControlKind::Text:
      style |= kNoPrefix | (c.centered ? kStaticCenter : 0u) | (c.ellipsis ? kEndEllipsis : 0u);
      break;
    case ControlKind::Picture: style |= kStaticBitmap | kRealSizeControl; break;
    case ControlKind::Group: style |= kGroupBox; break;
    case ControlKind::Button: style |= c.isDefault ? kDefaultButton : 0u; break;
    case ControlKind::List: style |= kDropDownList | kVScroll; break;
    case ControlKind::Field: style |= kBorder | (c.readOnly ? kReadOnly : kAutoHScroll); break;
  }
  return style;
}

}  // namespace

std::vector<std::uint16_t> BuildDialogTemplate(const DialogDescription& dialog) {
  Words t;
  t.Word(1);        // dlgVer
  t.Word(0xFFFF);   // signature: the extended template
  t.DoubleWord(0);  // helpID
  t.DoubleWord(0);  // exStyle
  t.DoubleWord(DialogStyle(dialog));
  t.Word(static_cast<std::uint16_t>(dialog.controls.size()));
  t.Short(0);
  t.Short(0);
  t.Short(dialog.width);
  t.Short(dialog.height);
  t.Word(0);  // no menu
  t.Word(0);  // the dialog class
  t.Text(dialog.title);
  t.Word(kFontPoints);
  t.Word(kFontWeight);
  t.Word(kFontCharset << 8);  // italic 0, then the character set
  t.Text(kFontFace);
  for (const ControlDescription& c : dialog.controls) {
    t.AlignToDoubleWord();
    t.DoubleWord(0);  // helpID
    t.DoubleWord(0);  // exStyle
    t.DoubleWord(ControlStyle(c));
    t.Short(c.place.x);
    t.Short(c.place.y);
    t.Short(c.place.width);
    t.Short(c.place.height);
    t.DoubleWord(static_cast<std::uint32_t>(c.id));  // -1 for none
    t.Ordinal(ClassOf(c));
    if (c.kind == ControlKind::Picture) {
      t.Ordinal(static_cast<std::uint16_t>(c.bitmap));
    } else {
      t.Text(c.text);
    }
    t.Word(0);  // no creation data
  }
  return t.Done();
}

}  // namespace mapbasis
