// Why a run's folders could not be had: the result folder, its HYPS and FRAME folders, the lock
// of the result folder and the result folder's own files. An interactive run names the failure in
// its message box in the words the users know.
#pragma once

#include <string_view>

#include "core/outcome.h"

namespace mapbasis {

enum class FolderFault {
  kResultFolderMissing = 1,  // no such folder, or a name no folder can have
  kHypsFolder = 2,           // the HYPS folder cannot be made, or its old layers cannot be moved
  kFrameFolder = 3,          // the FRAME folder cannot be made, or its old layers cannot be moved
  kResultFolderLocked = 4,   // the result folder cannot be locked
  kResultFile = 5,           // the result folder cannot be written in, or its project replaced
  kResultFolderNotMade = 7,  // the result folder cannot be made
};

// The message box's text for a folder failure (cp1251), e.g. "Не удалось создать папку HYPS";
// "Неспецифицированная ошибка" for a failure that none of the texts names.
std::string_view FolderFaultText(const Fault& fault);

}  // namespace mapbasis
