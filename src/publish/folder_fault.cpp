#include "publish/folder_fault.h"

#include "core/cp1251.h"

namespace mapbasis {

namespace {

constexpr auto kNoResultFolder = Cp1251("Не существует заданная папка результата");
constexpr auto kNoHypsFolder = Cp1251("Не удалось создать папку HYPS");
constexpr auto kNoFrameFolder = Cp1251("Не удалось создать папку FRAME");
constexpr auto kUnspecifiedError = Cp1251("Неспецифицированная ошибка");

}  // namespace

std::string_view FolderFaultText(const Fault& fault) {
  const std::optional<FolderFault> folder = fault.As<FolderFault>();
  if (!folder) return kUnspecifiedError;
  switch (*folder) {
    case FolderFault::kResultFolderMissing:
    case FolderFault::kResultFolderNotMade: return kNoResultFolder;
    case FolderFault::kHypsFolder: return kNoHypsFolder;
    case FolderFault::kFrameFolder: return kNoFrameFolder;
    case FolderFault::kResultFolderLocked:
    case FolderFault::kResultFile: break;
  }
  return kUnspecifiedError;
}

}  // namespace mapbasis
