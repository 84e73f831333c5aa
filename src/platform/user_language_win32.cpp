#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/user_language.h"

namespace mapbasis::platform {

UserLocale UserLocaleSetting() {
  UserLocale user;
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  const LCID language = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
  if (::LCIDToLocaleName(language, name, LOCALE_NAME_MAX_LENGTH, 0) > 0) {
    // Locale names are ASCII: "ru-RU".
    for (const wchar_t* c = name; *c != L'\0'; ++c) user.locale += static_cast<char>(*c & 0x7F);
  }
  return user;
}

std::error_condition CommonConditionOf(const std::error_code& error) {
  if (error.category() != std::system_category()) return error.default_error_condition();
  switch (static_cast<DWORD>(error.value())) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return std::errc::no_such_file_or_directory;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD: return std::errc::permission_denied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return std::errc::file_exists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return std::errc::no_space_on_device;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY: return std::errc::device_or_resource_busy;
    case ERROR_WRITE_PROTECT: return std::errc::read_only_file_system;
    case ERROR_DIR_NOT_EMPTY: return std::errc::directory_not_empty;
    case ERROR_FILENAME_EXCED_RANGE: return std::errc::filename_too_long;
    case ERROR_DIRECTORY: return std::errc::not_a_directory;
    case ERROR_INVALID_NAME: return std::errc::invalid_argument;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return std::errc::not_enough_memory;
    case ERROR_TOO_MANY_OPEN_FILES: return std::errc::too_many_files_open;
    default: return error.default_error_condition();
  }
}

}  // namespace mapbasis::platform
