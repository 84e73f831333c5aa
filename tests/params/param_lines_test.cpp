#include "params/param_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

// Every line of the content as the reader sees it, and the status of the first unreadable one.
struct Lines {
  std::vector<std::string> lines;
  bool utf8 = false;
  int unreadableAt = 0;
};

Lines ReadAll(std::string_view content) {
  Lines out;
  ParamLines lines;
  if (!OpenParamLines(content, lines).ok()) {
    out.unreadableAt = -1;
    return out;
  }
  out.utf8 = lines.utf8;
  while (!AtEnd(lines)) {
    std::string line;
    if (!ReadParamLine(lines, line).ok()) {
      out.unreadableAt = lines.lineNumber;
      break;
    }
    out.lines.push_back(line);
  }
  return out;
}

TEST(ParamLines, EncodingAndLineEnds) {
  const std::string cyrillic = Cp1251("Path=/Карты;").str();
  const struct {
    const char* what;
    std::string content;
    bool utf8;
    std::vector<std::string> lines;
  } cases[] = {
      {"cp1251 with CR LF", cyrillic + "\r\nNom=N-37;\r\n", false, {cyrillic, "Nom=N-37;"}},
      {"UTF-8 without a byte-order mark", "Path=/Карты;\nNom=N-37;", true, {cyrillic, "Nom=N-37;"}},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBFNom=N-37;\n", true, {"Nom=N-37;"}},
      {"plain ASCII", "a\n\nb", false, {"a", "", "b"}},
      // Only one carriage return before the line feed ends a line; a lone one is text.
      {"a lone carriage return", "a\r\r\nb\rc", false, {"a\r", "b\rc"}},
      {"an empty file", "", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Lines read = ReadAll(c.content);
    EXPECT_EQ(read.utf8, c.utf8);
    EXPECT_EQ(read.lines, c.lines);
    EXPECT_EQ(read.unreadableAt, 0);
  }
}

// Windows editors save UTF-16 with a byte-order mark ("Unicode"), read like UTF-8; any other
// encoding that cannot be read is refused, named.
TEST(ParamLines, Utf16IsReadAndOtherEncodingsAreNamed) {
  const auto utf16 = [](std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
  };
  const std::string cyrillic = Cp1251("Path=/Карты;").str();
  const struct {
    const char* what;
    std::string content;
    std::vector<std::string> lines;  // empty: refused, with `says`
    const char* says;
  } cases[] = {
      {"UTF-16 LE", utf16(u"Path=/Карты;\r\nNom=N-37;\r\n", false), {cyrillic, "Nom=N-37;"}, ""},
      {"UTF-16 BE", utf16(u"Path=/Карты;\nNom=N-37;", true), {cyrillic, "Nom=N-37;"}, ""},
      {"UTF-16 with a character beyond cp1251", utf16(u"Nom=\U0001F600;", false), {}, "U+1F600"},
      {"UTF-16 cut in half a unit", utf16(u"Nom", false) + "N", {}, "UTF-16 (little-endian)"},
      {"UTF-16 with a lone surrogate", utf16(u"N\xD800", true), {}, "UTF-16 (big-endian)"},
      {"UTF-32 LE", std::string("\xFF\xFE\0\0N\0\0\0", 8), {}, "UTF-32 (little-endian)"},
      {"UTF-32 BE", std::string("\0\0\xFE\xFF\0\0\0N", 8), {}, "UTF-32 (big-endian)"},
      {"UTF-7", "+/v8-Nom=N-37;", {}, "UTF-7"},
      {"GB18030", "\x84\x31\x95\x33Nom=N-37;", {}, "GB18030"},
      {"UTF-16 LE without its mark", std::string("N\0o\0m\0", 6), {}, "UTF-16 (little-endian)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ParamLines lines;
    const Outcome opened = OpenParamLines(c.content, lines);
    std::vector<std::string> read;
    Outcome line;
    while (opened.ok() && line.ok() && !AtEnd(lines)) {
      read.emplace_back();
      line = ReadParamLine(lines, read.back());
    }
    if (!c.lines.empty()) {
      EXPECT_TRUE(opened.ok() && line.ok()) << opened.reason << line.reason;
      EXPECT_EQ(read, c.lines);
    } else {
      const std::string& why = opened.ok() ? line.reason : opened.reason;
      EXPECT_NE(why.find(c.says), std::string::npos) << why;
    }
  }
}

TEST(ParamLines, LinesAreCutAtTheir1000thCharacter) {
  // In a UTF-8 file a Cyrillic letter is one character, as in the cp1251 file.
  const std::string letters(999, 'x');
  const Lines utf8 = ReadAll(letters + "Ж  \n");
  ASSERT_EQ(utf8.lines.size(), 1u);
  EXPECT_EQ(utf8.lines[0], letters + Cp1251("Ж").str());
  const Lines cp1251 = ReadAll(letters + Cp1251("Ж  ").str());
  EXPECT_EQ(cp1251.lines, utf8.lines);
}

TEST(ParamLines, Utf8LinesWithoutACp1251FormAreUnreadable) {
  EXPECT_EQ(ReadAll("Nom=N-37;\nPath=/地图;\nCS=CK-42;\n").unreadableAt, 2);
  EXPECT_EQ(ReadAll("\xEF\xBB\xBFNom=N-37;\n\xC3(\n").unreadableAt, 2);
  // Beyond the 1000th character blanks are harmless; anything else refuses the line.
  const std::string full(1000, 'x');
  EXPECT_EQ(ReadAll(full + "   \nЖ").unreadableAt, 0);
  for (const std::string& beyond : std::vector<std::string>{"地图", "y", Cp1251("Ж").str()}) {
    const std::string content = full + beyond + "\n";
    ParamLines lines;
    ASSERT_TRUE(OpenParamLines(content, lines).ok());
    std::string line;
    EXPECT_EQ(ReadParamLine(lines, line).fault, LineFault::kTooLong) << beyond;
  }
}

}  // namespace
}  // namespace mapbasis
