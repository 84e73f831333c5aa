#include "core/messages.h"

#include <atomic>
#include <cstdint>
#include <unordered_map>

#include "core/cp1251.h"
#include "core/message_catalogue.h"
#include "platform/user_language.h"

namespace mapbasis {

namespace {

std::atomic<Language> gLanguage{Language::kEnglish};

// The strings of a catalogue in the GNU .mo format that msgfmt writes: a header, then two tables of
// (length, offset) pairs, the originals and their translations in the same order.
class Catalogue {
 public:
  explicit Catalogue(std::string_view bytes) {
    constexpr std::uint32_t kMagic = 0x950412DE;
    if (bytes.size() < 28 || Word(bytes, 0) != kMagic) return;
    const std::uint32_t count = Word(bytes, 8);
    const std::uint32_t originals = Word(bytes, 12);
    const std::uint32_t translations = Word(bytes, 16);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::string_view original = String(bytes, originals + 8 * i);
      const std::string_view translation = String(bytes, translations + 8 * i);
      // The header (an empty original) and entries with a context or plural forms are not ours.
      if (original.empty() || translation.empty() ||
          original.find_first_of(std::string_view("\0\x04", 2)) != std::string_view::npos) {
        continue;
      }
      texts_.emplace(original, translation);
    }
  }

  // The translation in UTF-8, or empty.
  std::string_view Find(std::string_view original) const {
    const auto found = texts_.find(original);
    return found == texts_.end() ? std::string_view() : found->second;
  }

 private:
  // The catalogue is the little-endian file msgfmt writes on any machine.
  static std::uint32_t Word(std::string_view bytes, std::size_t at) {
    if (at + 4 > bytes.size()) return 0;
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i) {
      word = word << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return word;
  }

  static std::string_view String(std::string_view bytes, std::size_t entry) {
    const std::uint32_t length = Word(bytes, entry);
    const std::uint32_t offset = Word(bytes, entry + 4);
    if (offset > bytes.size() || length > bytes.size() - offset) return {};
    return bytes.substr(offset, length);
  }

  std::unordered_map<std::string_view, std::string_view> texts_;
};

const Catalogue& Russian() {
  static const Catalogue catalogue(MessageCatalogue("ru.mo"));
  return catalogue;
}

bool StartsWithLanguage(std::string_view name, std::string_view language) {
  if (!name.starts_with(language)) return false;
  if (name.size() == language.size()) return true;
  const char next = name[language.size()];
  return next == '_' || next == '-' || next == '.' || next == '@';
}

// The language a name stands for, when the program speaks it.
bool Known(std::string_view name, Language& language) {
  if (StartsWithLanguage(name, "ru")) {
    language = Language::kRussian;
    return true;
  }
  if (StartsWithLanguage(name, "en") || name == "C" || name == "POSIX" ||
      StartsWithLanguage(name, "C")) {
    language = Language::kEnglish;
    return true;
  }
  return false;
}

}  // namespace

void SetMessageLanguage(Language language) { gLanguage = language; }

Language MessageLanguage() { return gLanguage; }

Language LanguageOfLocale(std::string_view locale, std::string_view preferred) {
  // The C locale speaks English whatever LANGUAGE says, as gettext has it.
  const bool plain =
      locale.empty() || locale == "C" || locale == "POSIX" || StartsWithLanguage(locale, "C");
  Language language = Language::kEnglish;
  if (!plain) {
    while (!preferred.empty()) {
      const std::size_t colon = preferred.find(':');
      if (Known(preferred.substr(0, colon), language)) return language;
      preferred.remove_prefix(colon == std::string_view::npos ? preferred.size() : colon + 1);
    }
  }
  Known(locale, language);
  return language;
}

std::string Tr(std::string_view english) {
  if (gLanguage == Language::kRussian) {
    if (const std::string_view russian = Russian().Find(english); !russian.empty()) {
      return Utf8ToCp1251Lossy(russian);
    }
  }
  return Utf8ToCp1251Lossy(english);
}

std::string messages_detail::Fill(std::string_view pattern,
                                  std::initializer_list<std::string_view> args) {
  std::string text;
  text.reserve(pattern.size() + 16 * args.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::size_t n = static_cast<std::size_t>(next - '1');
    if (pattern[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
      text += args.begin()[n];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

std::string SystemErrorText(const std::error_code& error) {
  // The English words are the C library's, so that a message reads the same on every system.
  const std::error_condition condition = platform::CommonConditionOf(error);
  if (condition.category() == std::generic_category()) {
    switch (static_cast<std::errc>(condition.value())) {
      case std::errc::no_such_file_or_directory: return Tr("No such file or directory");
      case std::errc::permission_denied: return Tr("Permission denied");
      case std::errc::operation_not_permitted: return Tr("Operation not permitted");
      case std::errc::file_exists: return Tr("File exists");
      case std::errc::no_space_on_device: return Tr("No space left on device");
      case std::errc::read_only_file_system: return Tr("Read-only file system");
      case std::errc::device_or_resource_busy: return Tr("Device or resource busy");
      case std::errc::text_file_busy: return Tr("Text file busy");
      case std::errc::directory_not_empty: return Tr("Directory not empty");
      case std::errc::filename_too_long: return Tr("File name too long");
      case std::errc::not_a_directory: return Tr("Not a directory");
      case std::errc::is_a_directory: return Tr("Is a directory");
      case std::errc::not_enough_memory: return Tr("Cannot allocate memory");
      case std::errc::too_many_files_open: return Tr("Too many open files");
      case std::errc::too_many_symbolic_link_levels: return Tr("Too many levels of symbolic links");
      case std::errc::io_error: return Tr("Input/output error");
      case std::errc::file_too_large: return Tr("File too large");
      case std::errc::cross_device_link: return Tr("Invalid cross-device link");
      case std::errc::invalid_argument: return Tr("Invalid argument");
      default: break;
    }
  }
  // Any other as the system words it, which may be English only: its number lets it be found.
  const std::string words = Utf8ToCp1251Lossy(error.message());
  if (gLanguage == Language::kEnglish) return words;
  return Tr("%1 (system error %2)", words, error.value());
}

}  // namespace mapbasis
