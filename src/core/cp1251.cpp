#include "core/cp1251.h"

namespace mapbasis {

namespace {

// UTF-8 to cp1251, sequence by sequence. A sequence without a cp1251 character (or that is not
// UTF-8) is handed to `onBad` with its offset: it becomes a question mark when onBad says to go
// on, and ends the conversion when it does not. An undecodable byte counts as one sequence.
template <class OnBad>
std::string ConvertUtf8(std::string_view utf8, OnBad onBad) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = cp1251_detail::DecodeUtf8(utf8, pos, cp);
    const int b = length == 0 ? -1 : cp1251_detail::ByteOf(cp);
    if (b < 0 && !onBad(pos)) break;
    out += b < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(b));
    pos += length == 0 ? 1 : length;
  }
  return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (const char c : cp1251) {
    const auto b = static_cast<unsigned char>(c);
    AppendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{cp1251_detail::kUpperHalf[b - 0x80]});
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t cp = 0;
    const std::size_t length = cp1251_detail::DecodeUtf8(text, pos, cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8, std::size_t* badOffset) {
  std::optional<std::size_t> bad;
  std::string out = ConvertUtf8(utf8, [&](std::size_t pos) {
    bad = pos;
    return false;
  });
  if (!bad) return out;
  if (badOffset != nullptr) *badOffset = *bad;
  return std::nullopt;
}

std::string Utf8ToCp1251Lossy(std::string_view utf8) {
  return ConvertUtf8(utf8, [](std::size_t) { return true; });
}

std::filesystem::path PathFromCp1251(std::string_view cp1251) {
  const std::string utf8 = Cp1251ToUtf8(cp1251);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::optional<std::string> Cp1251FromPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToCp1251(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

std::string DisplayPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToCp1251Lossy(
      std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace mapbasis
