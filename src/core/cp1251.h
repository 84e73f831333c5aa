// Code page 1251 at the edges of the system.
//
// Inside the program every text (sheet names, paths, attribute values, messages) is held as
// cp1251 bytes: widths, codes and character measurements are defined on those bytes. Text is
// converted only where it leaves or enters the program: UTF-8 for file-system paths and the
// terminal, UTF-16 for the dialog toolkit, cp1251 for the attribute tables.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mapbasis {

namespace cp1251_detail {

// Unicode code points of the bytes 0x80..0xFF. The byte 0x98 has no character in cp1251; it is
// carried as U+0098 so that any byte string survives a round trip.
inline constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0xC0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 0xC8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 0xD0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 0xD8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // 0xE0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // 0xE8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xF0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // 0xF8
};

// The cp1251 byte of a code point, or -1 when cp1251 has no such character.
constexpr int ByteOf(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes one UTF-8 sequence at text[pos]; returns its length, or 0 when it is not valid UTF-8
// (overlong forms, surrogates and code points above U+10FFFF are not valid).
constexpr std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

}  // namespace cp1251_detail

// A cp1251 text made at compile time from a UTF-8 literal, so that the system's own Russian texts
// stay readable in the source: `constexpr auto kParallel = Cp1251("Параллель");`.
template <std::size_t N>
struct Cp1251Literal {
  char bytes[N]{};
  std::size_t size = 0;
  constexpr std::string_view view() const { return {bytes, size}; }
  operator std::string_view() const { return view(); }  // NOLINT: meant to convert implicitly
  std::string str() const { return std::string(view()); }
};

template <std::size_t N>
consteval Cp1251Literal<N> Cp1251(const char (&utf8)[N]) {
  Cp1251Literal<N> out;
  const std::string_view text(utf8, N - 1);
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t cp = 0;
    const std::size_t length = cp1251_detail::DecodeUtf8(text, pos, cp);
    if (length == 0) throw "literal is not valid UTF-8";
    const int b = cp1251_detail::ByteOf(cp);
    if (b < 0) throw "literal has a character that cp1251 lacks";
    out.bytes[out.size++] = static_cast<char>(static_cast<unsigned char>(b));
    pos += length;
  }
  return out;
}

// Appends the UTF-8 sequence of a code point (U+0000..U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);

// cp1251 bytes to UTF-8. Every byte string converts.
std::string Cp1251ToUtf8(std::string_view cp1251);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// UTF-8 to cp1251. Fails on malformed UTF-8 and on a character that cp1251 lacks; on failure
// `badOffset` (when given) receives the byte offset of the offending sequence.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8, std::size_t* badOffset = nullptr);

// UTF-8 to cp1251 for showing to a person: every sequence that has no cp1251 character (or is not
// UTF-8) becomes a question mark.
std::string Utf8ToCp1251Lossy(std::string_view utf8);

// A file-system path from a cp1251 text, and back. The reverse fails for a path holding a
// character that cp1251 lacks.
std::filesystem::path PathFromCp1251(std::string_view cp1251);
std::optional<std::string> Cp1251FromPath(const std::filesystem::path& path);

// A path as cp1251 text for a message; characters that cp1251 lacks show as question marks.
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace mapbasis
