// A value from the user's input as a message shows it: control characters written as escapes
// (\r, \t, \x1B, and \x98, the cp1251 byte that reaches a terminal as a control), so that a
// message stays one line and cannot steer the terminal, and a long value cut with an ellipsis.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace mapbasis {

// At most `limit` characters of the value are shown; a longer one ends in "...".
inline constexpr std::size_t kEchoLimit = 80;

std::string Echo(std::string_view text, std::size_t limit = kEchoLimit);

// A path is shown whole (the system's paths are at most a few hundred characters), escaped.
inline constexpr std::size_t kEchoPathLimit = 400;
inline std::string EchoPath(std::string_view path) { return Echo(path, kEchoPathLimit); }

// A file-system path in double quotes, as messages name a file: "out/HYPS/HypsA.shp".
std::string QuotedPath(const std::filesystem::path& path);

}  // namespace mapbasis
