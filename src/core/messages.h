// The program's own messages in the user's language. The code writes them in English; po/ru.po
// holds their Russian, compiled by msgfmt and built into the program (core/message_catalogue.h),
// so every copy of the program, wherever it lies and whatever locales the system has, speaks
// both. A batch run speaks the user's language (English unless it is Russian); the dialogs speak
// Russian. Texts that are stored (layer and field names, attribute values, .PRJ texts) and the
// dialogs' own Russian captions and labels are not messages and never change.
//
// A message is written `Tr("cannot open the file: %1", why)`: xgettext finds it by the name Tr
// (scripts/update-po.sh), and %1 to %9 stand for the arguments in whatever order the translation
// needs them (Qt's format, which msgfmt checks in both languages).
#pragma once

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>

namespace mapbasis {

enum class Language { kEnglish, kRussian };

// The language of the messages from now on, for the whole process; English until it is set.
void SetMessageLanguage(Language language);
Language MessageLanguage();

// The language of a user whose locale is `locale` (the first of LC_ALL, LC_MESSAGES and LANG that
// is set, "ru_RU.UTF-8"; or Windows' "ru-RU") and whose list of preferred languages is
// `preferred` (LANGUAGE, "de:ru"), as gettext reads them: the list counts unless the locale is C;
// the first language of it that the program speaks wins, else the locale's. Russian for "ru"
// (with or without a territory and code set), English otherwise.
Language LanguageOfLocale(std::string_view locale, std::string_view preferred = {});

namespace messages_detail {
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args);
inline std::string_view Argument(std::string_view text) { return text; }
inline std::string_view Argument(const std::string& text) { return text; }
inline std::string_view Argument(const char* text) { return text; }
template <std::integral N>
std::string Argument(N number) {
  return std::to_string(number);
}
}  // namespace messages_detail

// The message `english` (a UTF-8 literal) in the current language, as cp1251 text; the English
// itself when the catalogue has no translation for it.
std::string Tr(std::string_view english);

// The same with %1 to %9 replaced by the arguments: cp1251 texts as they are, numbers in digits.
template <class... Args>
std::string Tr(std::string_view english, const Args&... args) {
  const auto fill = [&](const auto&... texts) {
    return messages_detail::Fill(Tr(english), {std::string_view(texts)...});
  };
  return fill(messages_detail::Argument(args)...);
}

// A system error in the current language: the common ones (no such file, permission denied, disk
// full, ...) from the catalogue, any other as the system words it, with its number.
std::string SystemErrorText(const std::error_code& error);

}  // namespace mapbasis
