// The parameter file of a batch run: lines of items key=value; in code page 1251 (a UTF-8 file,
// with or without a byte-order mark, is also accepted).
//
//     CS=ГCK-2011;
//     Nom=N-37-XIV;
//     Path=D:\Maps\N-37-XIV;
//     MapScale=200;
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "driver/sheet_parameters.h"

namespace mapbasis {

// Status codes of the reader.
inline constexpr std::int32_t kParamFileRead = 0;
inline constexpr std::int32_t kParamFileCannotOpen = 2;
inline constexpr std::int32_t kParamFileCannotReadLine = 3;
inline constexpr std::int32_t kParamFileBadItem = 4;
inline constexpr std::int32_t kParamFileMissingKey = 5;
inline constexpr std::int32_t kParamFileEdgeTooFar = 6;
inline constexpr std::int32_t kParamFileCannotCreateFolder = 7;

// What went wrong, for the one line a batch run prints: the line of the file (0 when the fault
// belongs to no line) and a short English sentence (cp1251, may quote text from the file).
struct ParamDiagnostic {
  int line = 0;
  std::string message;
};

// Reads the items of a whole file's content into the record, supplies the defaults and checks the
// refined trapezoid. Touches no file. Returns 0, 3, 4, 5 or 6.
std::int32_t READARGTEXT(std::string_view content, SheetParameters& p, ParamDiagnostic& diag);

// READARGTEXT over the file, then creates the result folder (with its parents) when it is
// missing. Returns any status above, 2 for a file that cannot be opened, 7 for a result folder
// that cannot be created.
std::int32_t READARGFILE(const std::filesystem::path& file, SheetParameters& p,
                         ParamDiagnostic& diag);

}  // namespace mapbasis
