// The Windows dialogs' templates in memory, read back field by field as the dialog manager reads
// an extended template: every control of the description with its place, id, class, styles and
// text, each item on its 32-bit boundary.
#include "dialogs/win32/dialog_template.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

using namespace win32_style;

// Reads the words of a template in order.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<std::uint16_t>& words) : words_(words) {}

  std::uint16_t Word() {
    if (at_ >= words_.size()) {
      ADD_FAILURE() << "the template ends at word " << at_;
      return 0;
    }
    return words_[at_++];
  }
  std::uint32_t DoubleWord() {
    const std::uint32_t low = Word();
    return low | static_cast<std::uint32_t>(Word()) << 16;
  }
  int Short() { return static_cast<std::int16_t>(Word()); }
  // A text, as UTF-8; "#N" for a number.
  std::string Text() {
    std::string text;
    std::uint16_t first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    for (std::uint16_t c = first; c != 0; c = Word()) {
      char32_t cp = c;
      if (c >= 0xD800 && c < 0xDC00) cp = 0x10000 + ((c - 0xD800) << 10) + (Word() - 0xDC00);
      AppendUtf8(text, cp);
    }
    return text;
  }
  bool OnDoubleWord() const { return at_ % 2 == 0; }
  void SkipToDoubleWord() {
    if (!OnDoubleWord()) Word();
  }
  bool AtEnd() const { return at_ == words_.size(); }

 private:
  const std::vector<std::uint16_t>& words_;
  std::size_t at_ = 0;
};

struct Item {
  std::uint32_t style;
  DialogRect place;
  int id;
  std::string windowClass, text;
};

TEST(DialogTemplate, HoldsEveryControlOfTheDescription) {
  // Each item starts on a 32-bit boundary, which the reader skips to: after the second dialog's
  // header and after the picture (the texts before them of an odd number of words) there is a
  // word between; a code point beyond 16 bits takes two words.
  const DialogDescriptions read = ParseDialogDescriptions(
      "dialog 7 Sample 300 200 \"Окно\"\n"
      "text    -     -    1   2  30   8  \"Метка:\"\n"
      "field   Value 1001 32  1  40  12\n"
      "field   Shown 1002 32 20  40  12  readonly\n"
      "list    Items 1003 32 40  40  60\n"
      "group   -     -    0  60 100  50  \"Рамка 𝄞\"\n"
      "text    -     -    5  70  80   8  \"середина\" center\n"
      "text    View  1004 5  80  80   8  \"\" ellipsis\n"
      "picture -     -    5  90  10  10  bitmap=109\n"
      "button  Go    1005 5 150  40  14  \"Go\"\n"
      "button  Ok    1  100 150  40  14  \"OK\" default\n"
      "dialog 8 Bare 100 50 \"Без рамки\" nocaption\n"
      "button  Ok    1   10  10  40  14  \"OK\" default\n",
      "3.0.0");
  ASSERT_EQ(read.error, "");
  const std::uint32_t kShown = kChild | kVisible;
  const std::vector<Item> want = {
      {kShown | kNoPrefix, {1, 2, 30, 8}, -1, "#130", "Метка:"},
      {kShown | kTabStop | kBorder | kAutoHScroll, {32, 1, 40, 12}, 1001, "#129", ""},
      {kShown | kBorder | kReadOnly, {32, 20, 40, 12}, 1002, "#129", ""},
      {kShown | kTabStop | kDropDownList | kVScroll, {32, 40, 40, 60}, 1003, "#133", ""},
      {kShown | kGroupBox, {0, 60, 100, 50}, -1, "#128", "Рамка 𝄞"},
      {kShown | kNoPrefix | kStaticCenter, {5, 70, 80, 8}, -1, "#130", "середина"},
      {kShown | kNoPrefix | kEndEllipsis, {5, 80, 80, 8}, 1004, "#130", ""},
      {kShown | kStaticBitmap | kRealSizeControl, {5, 90, 10, 10}, -1, "#130", "#109"},
      {kShown | kTabStop, {5, 150, 40, 14}, 1005, "#128", "Go"},
      {kShown | kTabStop | kDefaultButton, {100, 150, 40, 14}, 1, "#128", "OK"},
  };

  const struct Case {
    std::size_t dialog;
    std::uint32_t style;
    DialogRect size;
    const char* title;
    std::vector<Item> items;
  } cases[] = {
      {0,
       kPopup | kCaption | kSysMenu | kShellFont | kModalFrame | kCenter,
       {0, 0, 300, 200},
       "Окно",
       want},
      {1,
       kPopup | kBorder | kShellFont | kModalFrame | kCenter,
       {0, 0, 100, 50},
       "Без рамки",
       {{kShown | kTabStop | kDefaultButton, {10, 10, 40, 14}, 1, "#128", "OK"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const std::vector<std::uint16_t> words = BuildDialogTemplate(read.dialogs[c.dialog]);
    TemplateReader t(words);
    EXPECT_EQ(t.Word(), 1);       // version
    EXPECT_EQ(t.Word(), 0xFFFF);  // the extended template
    EXPECT_EQ(t.DoubleWord(), 0u);
    EXPECT_EQ(t.DoubleWord(), 0u);
    EXPECT_EQ(t.DoubleWord(), c.style);
    EXPECT_EQ(t.Word(), c.items.size());
    const int x = t.Short(), y = t.Short(), w = t.Short(), h = t.Short();
    EXPECT_EQ((DialogRect{x, y, w, h}), c.size);
    EXPECT_EQ(t.Text(), "");  // no menu
    EXPECT_EQ(t.Text(), "");  // the dialog class
    EXPECT_EQ(t.Text(), c.title);
    EXPECT_EQ(t.Word(), 8);       // points
    EXPECT_EQ(t.Word(), 400);     // weight
    EXPECT_EQ(t.Word(), 1 << 8);  // not italic; the default character set
    EXPECT_EQ(t.Text(), "MS Shell Dlg");
    for (const Item& item : c.items) {
      SCOPED_TRACE(item.id);
      t.SkipToDoubleWord();
      EXPECT_EQ(t.DoubleWord(), 0u);  // help
      EXPECT_EQ(t.DoubleWord(), 0u);  // extended style
      EXPECT_EQ(t.DoubleWord(), item.style);
      const int ix = t.Short(), iy = t.Short(), iw = t.Short(), ih = t.Short();
      EXPECT_EQ((DialogRect{ix, iy, iw, ih}), item.place);
      EXPECT_EQ(static_cast<int>(t.DoubleWord()), item.id);
      EXPECT_EQ(t.Text(), item.windowClass);
      EXPECT_EQ(t.Text(), item.text);
      EXPECT_EQ(t.Word(), 0);  // no creation data
    }
    EXPECT_TRUE(t.AtEnd());
  }
}

}  // namespace
}  // namespace mapbasis
