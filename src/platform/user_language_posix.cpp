#include <cstdlib>

#include "platform/user_language.h"

namespace mapbasis::platform {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

UserLocale UserLocaleSetting() {
  UserLocale user;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    user.locale = Variable(name);
    if (!user.locale.empty()) break;
  }
  user.preferred = Variable("LANGUAGE");
  return user;
}

std::error_condition CommonConditionOf(const std::error_code& error) {
  return error.default_error_condition();
}

}  // namespace mapbasis::platform
