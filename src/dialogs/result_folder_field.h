// The result folder field of the parameter dialog: the folder picked with «Найти» through the
// platform's folder picker, and the check of a folder typed or pasted into the field.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "dialogs/dialog_layer.h"

namespace mapbasis {

struct FolderSearch {
  bool confirmed = false;
  std::string folder;   // cp1251, ending with the path separator; empty unless confirmed
  std::string refusal;  // cp1251: why a picked folder cannot be the result folder, else empty
};

// Lets the user pick a folder, starting at `initialDirectory`. A folder whose path the record
// cannot hold (a character outside cp1251, or longer than a result folder may be) is refused
// rather than cut or garbled.
FolderSearch ChooseResultFolder(DialogToolkit& toolkit,
                                const std::filesystem::path& initialDirectory,
                                std::string_view title);

// Whether the folder in the folder field (typed, pasted or picked; cp1251) can be the result
// folder, read as a batch run reads its Path (a leading "~/" is the home folder on Linux; '/'
// separates as '\' does on Windows). A relative folder is taken from the current directory. An
// existing folder must be one the program may write in; a missing one must be one it can make
// (the run makes it); and it must pass every check a run makes before it touches anything
// (publish/result_folder.h: CheckResultFolder), so that nothing accepted here fails later.
// Confirmed with the folder as the record holds it (whole, ending with the separator), else
// refused with the reason; an empty field is neither.
FolderSearch CheckTypedResultFolder(std::string_view typed);

// Why the folder field (as the user sees it, UTF-8) cannot be had as cp1251: the first character
// cp1251 lacks, named by its code and the text before it; empty when there is none.
std::string RefuseCharacterCp1251Lacks(std::string_view typedUtf8);

}  // namespace mapbasis
