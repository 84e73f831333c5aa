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

#include "core/outcome.h"
#include "core/sheet_parameters.h"

namespace mapbasis {

// Status codes of the reader.
inline constexpr std::int32_t kParamFileRead = 0;
inline constexpr std::int32_t kParamFileCannotOpen = 2;
inline constexpr std::int32_t kParamFileCannotReadLine = 3;
inline constexpr std::int32_t kParamFileBadItem = 4;
inline constexpr std::int32_t kParamFileMissingKey = 5;
inline constexpr std::int32_t kParamFileEdgeTooFar = 6;

// Reads the items of a whole file's content into the record, supplies the defaults and checks the
// refined trapezoid. Touches no file. Status 0, 3, 4, 5 or 6; a failure's reason starts with where
// the fault stands, e.g. `params.txt:3: unknown key "MapScal"` for source "params.txt" (cp1251).
Outcome ReadParamText(std::string_view content, std::string_view source, SheetParameters& p);

// ReadParamText over the file. Only a regular file of at most 1 MiB is read: a folder, a FIFO or a
// device is refused at once with status 2, as is a file that cannot be opened; 3 when it cannot
// be read. Touches nothing on disk: the run makes the result folder (driver/result_folder.h) once
// every check has passed.
Outcome ReadParamFile(const std::filesystem::path& file, SheetParameters& p);

}  // namespace mapbasis
