// What the program asks of the system to speak its user's language: the user's language setting,
// and the system's errors as the common conditions the program names in words of its own.
#pragma once

#include <string>
#include <system_error>

namespace mapbasis::platform {

struct UserLocale {
  std::string locale;     // "ru_RU.UTF-8" (LC_ALL, else LC_MESSAGES, else LANG); Windows: "ru-RU"
  std::string preferred;  // the list of languages in LANGUAGE ("de:ru"); empty on Windows
};

// On Linux the environment; on Windows the user's language of the user interface
// (GetUserDefaultUILanguage).
UserLocale UserLocaleSetting();

// The error as a portable condition (std::errc) where it is one of the common ones: no such file,
// permission denied, disk full, ... On Linux that is the error's own condition; Windows' error
// numbers are matched here.
std::error_condition CommonConditionOf(const std::error_code& error);

}  // namespace mapbasis::platform
