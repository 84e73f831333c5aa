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

// Why a UTF-8 line has no cp1251 form: the sequence at `offset` is the first that fails.
std::string WhyNotCp1251(std::string_view utf8, std::size_t offset) {
  char32_t cp = 0;
  if (cp1251_detail::DecodeUtf8(utf8, offset, cp) == 0) return Tr("the line is not valid UTF-8");
  // What an editor puts for the bytes it could not read: a cp1251 file opened as UTF-8 and saved.
  if (cp == 0xFFFD) {
    return Tr(
        "the line holds U+FFFD, the mark an editor leaves for a character it could not "
        "read: a file in code page 1251 was saved as UTF-8; type the lost letters (such as "
        "Г and °) again");
  }
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  return Tr("the line holds %1, a character that code page 1251 lacks", std::string_view(code));
}

std::string TextBeyondTheLimit() { return Tr("the line has text beyond its 1000th character"); }

}  // namespace

ParamLines OpenParamLines(std::string_view content) {
  ParamLines lines;
  if (content.starts_with(kUtf8ByteOrderMark)) {
    lines.bytes = content.substr(kUtf8ByteOrderMark.size());
    lines.utf8 = true;
  } else {
    lines.bytes = content;
    lines.utf8 = HoldsUpperHalfByte(content) && IsValidUtf8(content);
  }
  return lines;
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
