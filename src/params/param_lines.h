// The lines of a parameter file as the reader sees them: cp1251 text, each line up to its 1000th
// character. The file is written in code page 1251 or, by editors that know no other, in UTF-8 or
// UTF-16: a file that starts with the UTF-8 byte-order mark is UTF-8; one that starts with the
// UTF-16 mark (little- or big-endian, Windows Notepad's "Unicode") is UTF-16 and read as its UTF-8
// text; a file that is well-formed UTF-8 and holds any byte above 0x7F is UTF-8; any other file is
// cp1251 as it stands. A file whose mark names another encoding (UTF-32, UTF-7, GB18030 ...), or
// that holds NUL bytes (UTF-16 without its mark), is refused with a message that names it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/outcome.h"

namespace mapbasis {

struct ParamLines {
  ParamLines() = default;
  ParamLines(const ParamLines&) = delete;  // `bytes` may lie in `decoded`
  ParamLines& operator=(const ParamLines&) = delete;

  std::string_view bytes;  // what is still unread, the byte-order mark dropped
  bool utf8 = false;
  int lineNumber = 0;   // of the line read last, counting from 1
  std::string decoded;  // the UTF-8 text of a UTF-16 file
};

// Why OpenParamLines refuses a file.
enum class EncodingFault {
  kUnreadable = 1,  // an encoding the reader does not read, or UTF-16 that is not well formed
};

// Takes the content (which must outlive `lines`) as its encoding says. EncodingFault::kUnreadable
// with a message naming the encoding, e.g. `the file is UTF-32 (little-endian) text: save it as
// UTF-8 or in code page 1251 ("ANSI")`.
Outcome OpenParamLines(std::string_view content, ParamLines& lines);

// True when every line has been read.
inline bool AtEnd(const ParamLines& lines) { return lines.bytes.empty(); }

// Why ReadParamLine refuses a line.
enum class LineFault {
  kUnreadable,  // not UTF-8, or a character cp1251 lacks
  kTooLong,     // text beyond the 1000th character
};

// The next line, without its line feed and without one carriage return before it, converted to
// cp1251 and cut to 1000 characters. A line of a UTF-8 file holding a character that cp1251
// lacks (or bytes that are not UTF-8) is unreadable; a line with anything but blanks beyond its
// 1000th character is refused. Not to be called at the end.
Outcome ReadParamLine(ParamLines& lines, std::string& line);

}  // namespace mapbasis
