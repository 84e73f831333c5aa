// Feeds arbitrary bytes to the conversions at the edges of the system, taken as cp1251 text, as
// UTF-8 text, as a file-system path and as a value shown in a message, and checks:
//   - cp1251 to UTF-8 and back gives the same bytes; UTF-8 that converts to cp1251 converts back
//     to itself, and where it does not, the conversion fails at the first offending sequence;
//   - the lossy conversion agrees with the strict one where that succeeds, and is never longer
//     than its input in characters;
//   - a path made from cp1251 text gives that text back, and a path that has a cp1251 text is
//     made again from it; a path shown in a message is its lossy conversion;
//   - a value shown in a message is one line without control characters, as the terminal gets
//     it, and shows the value whole when it is short and has nothing to escape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/cp1251.h"
#include "core/echo.h"

namespace {

namespace fs = std::filesystem;
using namespace mapbasis;

void Check(bool holds) {
  if (!holds) std::abort();
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Characters of a UTF-8 text: the bytes that start a sequence.
std::size_t LeadBytes(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) count += IsContinuation(c) ? 0 : 1;
  return count;
}

std::string_view Bytes(const std::u8string& text) {
  return {reinterpret_cast<const char*>(text.data()), text.size()};
}

void CheckCp1251Text(std::string_view cp1251) {
  const std::string utf8 = Cp1251ToUtf8(cp1251);
  Check(IsValidUtf8(utf8) && LeadBytes(utf8) == cp1251.size());
  Check(Utf8ToCp1251(utf8) == std::string(cp1251));

  const fs::path path = PathFromCp1251(cp1251);
  Check(Bytes(path.u8string()) == utf8);
  Check(Cp1251FromPath(path) == std::string(cp1251));
  Check(DisplayPath(path) == cp1251);
}

void CheckUtf8Text(std::string_view utf8) {
  std::size_t bad = utf8.size();
  const std::optional<std::string> strict = Utf8ToCp1251(utf8, &bad);
  const std::string lossy = Utf8ToCp1251Lossy(utf8);
  Check(lossy.size() <= utf8.size() && lossy.size() >= LeadBytes(utf8));
  if (strict) {
    Check(IsValidUtf8(utf8) && lossy == *strict && strict->size() == LeadBytes(utf8));
    Check(Cp1251ToUtf8(*strict) == utf8);
  } else {
    // Everything before the offending sequence converts, the same either way.
    Check(bad < utf8.size());
    const std::optional<std::string> before = Utf8ToCp1251(utf8.substr(0, bad));
    Check(before.has_value() && lossy.compare(0, before->size(), *before) == 0);
    Check(lossy.size() > before->size() && lossy[before->size()] == '?');
  }

  // The same bytes as a path, as the file system hands it over.
  const fs::path path{std::string(utf8)};
  Check(Cp1251FromPath(path) == strict);
  Check(DisplayPath(path) == lossy);
  if (strict) Check(PathFromCp1251(*strict) == path);
}

// What the terminal receives for a shown value has no control character: no C0, no DEL, no C1.
void CheckShown(std::string_view value, std::size_t limit, const std::string& shown) {
  const std::string terminal = Cp1251ToUtf8(shown);
  for (std::size_t at = 0; at < terminal.size(); ++at) {
    const auto byte = static_cast<unsigned char>(terminal[at]);
    Check(byte >= 0x20 && byte != 0x7F);
    if (byte == 0xC2) {  // U+0080..U+00BF
      const auto next = static_cast<unsigned char>(terminal[at + 1]);
      Check(next >= 0xA0);
    }
  }
  // A long value is cut to `limit` characters and ends in an ellipsis; a value without anything
  // to escape is shown as it is.
  const bool cut = value.size() > limit;
  const std::string_view kept = value.substr(0, limit);
  Check(shown.size() <= 4 * kept.size() + (cut ? 3 : 0));
  if (cut) Check(shown.size() >= 3 && shown.compare(shown.size() - 3, 3, "...") == 0);
  bool plain = true;
  for (const char c : kept) {
    const auto byte = static_cast<unsigned char>(c);
    plain = plain && byte >= 0x20 && byte != 0x7F && byte != 0x98;
  }
  if (plain) Check(shown == std::string(kept) + (cut ? "..." : ""));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckCp1251Text(text);
  CheckUtf8Text(text);
  CheckShown(text, kEchoLimit, Echo(text));
  const std::size_t limit = size == 0 ? 0 : data[0] % 16;
  CheckShown(text, limit, Echo(text, limit));
  CheckShown(text, 400, EchoPath(text));
  return 0;
}
