#include "params/param_lines.h"

#include <algorithm>
#include <cstdio>

#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "core/messages.h"
#include "params/param_items.h"

namespace mapbasis {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool HoldsUpperHalfByte(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// Dashes and minus signs that code page 1251 lacks, pasted where a sheet name has its hyphen:
// the hyphen and non-breaking hyphen, the figure dash, the horizontal bar, the minus sign, and the
// small and full-width hyphen-minus.
constexpr char32_t kDashesCp1251Lacks[] = {0x2010, 0x2011, 0x2012, 0x2015, 0x2212, 0xFE63, 0xFF0D};

// Whether the character at `offset` lies in the value of a Nom item: after "Nom" and its "=" in
// the item it belongs to (the text after the last ";" before it).
bool InSheetName(std::string_view line, std::size_t offset) {
  std::string_view item = line.substr(0, offset);
  if (const std::size_t end = item.rfind(';'); end != std::string_view::npos) {
    item.remove_prefix(end + 1);
  }
  item = TrimLeadingBlanks(item);
  if (!item.starts_with("Nom")) return false;
  item = TrimLeadingBlanks(item.substr(3));
  return item.starts_with('=');
}

// Why a UTF-8 line has no cp1251 form: the sequence at `offset` is the first that fails.
std::string WhyNotCp1251(std::string_view utf8, std::size_t offset) {
  char32_t cp = 0;
  if (cp1251_detail::DecodeUtf8(utf8, offset, cp) == 0) return Tr("the line is not valid UTF-8");
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  if (std::find(std::begin(kDashesCp1251Lacks), std::end(kDashesCp1251Lacks), cp) !=
          std::end(kDashesCp1251Lacks) &&
      InSheetName(utf8, offset)) {
    return Tr(
        "the line holds %1 in the sheet name, a dash that code page 1251 lacks: write the "
        "hyphen - in its place",
        std::string_view(code));
  }
  // What an editor puts for the bytes it could not read: a cp1251 file opened as UTF-8 and saved.
  if (cp == 0xFFFD) {
    return Tr(
        "the line holds U+FFFD, the mark an editor leaves for a character it could not "
        "read: a file in code page 1251 was saved as UTF-8; type the lost letters (such as "
        "Г and °) again");
  }
  return Tr("the line holds %1, a character that code page 1251 lacks", std::string_view(code));
}

std::string TextBeyondTheLimit() { return Tr("the line has text beyond its 1000th character"); }

// What the reader says of a file it cannot read, naming the encoding.
// An encoding the reader does not read.
Outcome Unreadable(std::string_view encoding) {
  return Failure(
      EncodingFault::kUnreadable,
      Tr("the file is %1 text: save it as UTF-8 or in code page 1251 (\"ANSI\")", encoding));
}

// Byte-order marks of encodings the reader does not read, longest first where one begins another.
struct Mark {
  std::string_view bytes;
  std::string_view encoding;
};
constexpr Mark kOtherMarks[] = {
    {std::string_view("\xFF\xFE\x00\x00", 4), "UTF-32 (little-endian)"},
    {std::string_view("\x00\x00\xFE\xFF", 4), "UTF-32 (big-endian)"},
    {"+/v", "UTF-7"},
    {"\xF7\x64\x4C", "UTF-1"},
    {"\xDD\x73\x66\x73", "UTF-EBCDIC"},
    {"\x0E\xFE\xFF", "SCSU"},
    {"\xFB\xEE\x28", "BOCU-1"},
    {"\x84\x31\x95\x33", "GB18030"},
};
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// The UTF-8 text of UTF-16 units (the mark dropped); false when they are not well formed.
bool DecodeUtf16(std::string_view units, bool bigEndian, std::string& out) {
  if (units.size() % 2 != 0) return false;
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(units[i]);
    const auto b = static_cast<unsigned char>(units[i + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xDC00 && cp <= 0xDFFF) return false;  // a second half without its first
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      if (i + 4 > units.size()) return false;
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(out, cp);
  }
  return true;
}

}  // namespace

Outcome OpenParamLines(std::string_view content, ParamLines& lines) {
  lines.lineNumber = 0;
  lines.decoded.clear();
  for (const Mark& mark : kOtherMarks) {
    if (content.starts_with(mark.bytes)) return Unreadable(mark.encoding);
  }
  const bool little = content.starts_with(kUtf16LittleEndianMark);
  if (little || content.starts_with(kUtf16BigEndianMark)) {
    if (!DecodeUtf16(content.substr(2), !little, lines.decoded)) {
      return Failure(EncodingFault::kUnreadable,
                     Tr("the file is UTF-16 (%1) text that is not well formed (half a character or "
                        "a lone surrogate)",
                        little ? "little-endian" : "big-endian"));
    }
    lines.bytes = lines.decoded;
    lines.utf8 = true;
    return Success();
  }
  if (content.starts_with(kUtf8ByteOrderMark)) {
    lines.bytes = content.substr(kUtf8ByteOrderMark.size());
    lines.utf8 = true;
    return Success();
  }
  if (const std::size_t nul = content.find('\0'); nul != std::string_view::npos) {
    // UTF-16 without its mark has a NUL beside every ASCII character.
    return Failure(EncodingFault::kUnreadable,
                   Tr("the file holds NUL bytes, as UTF-16 (%1) text without a byte-order mark "
                      "does: save it as UTF-8, as \"Unicode\" with its mark, or in code page 1251 "
                      "(\"ANSI\")",
                      nul % 2 == 1 ? "little-endian" : "big-endian"));
  }
  lines.bytes = content;
  lines.utf8 = HoldsUpperHalfByte(content) && IsValidUtf8(content);
  return Success();
}

Outcome ReadParamLine(ParamLines& lines, std::string& line) {
  const std::size_t feed = lines.bytes.find('\n');
  std::string_view raw = lines.bytes.substr(0, feed);
  lines.bytes.remove_prefix(feed == std::string_view::npos ? lines.bytes.size() : feed + 1);
  ++lines.lineNumber;
  if (raw.ends_with('\r')) raw.remove_suffix(1);

  std::size_t badOffset = 0;
  if (!lines.utf8) {
    line = std::string(raw);
  } else if (auto converted = Utf8ToCp1251(raw, &badOffset)) {
    line = std::move(*converted);
  } else {
    line = Utf8ToCp1251(raw.substr(0, badOffset)).value_or(std::string());
    // A character beyond the 1000th is text beyond the limit, whatever it is.
    if (line.size() < kParamLineLength)
      return Failure(LineFault::kUnreadable, WhyNotCp1251(raw, badOffset));
    return Failure(LineFault::kTooLong, TextBeyondTheLimit());
  }
  // A line is read up to its 1000th character. Blanks beyond it are harmless; text there would
  // be lost without a word, so the line is refused.
  if (line.size() > kParamLineLength) {
    if (!IsBlank(std::string_view(line).substr(kParamLineLength))) {
      return Failure(LineFault::kTooLong, TextBeyondTheLimit());
    }
    line.resize(kParamLineLength);
  }
  return Success();
}

}  // namespace mapbasis
