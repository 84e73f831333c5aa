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

// Why the reader refuses a file. The codes are the reader's own; the record's Status holds them
// (0 when the file was read).
enum class ParamFileFault {
  kCannotOpen = 2,      // not a regular file of at most 1 MiB that can be opened
  kCannotReadLine = 3,  // a read failed, or a line is not text
  kBadItem = 4,         // an item is malformed, unknown, repeated or refused, or a line too long
  kMissingKey = 5,      // Nom or Path is missing
  kEdgeTooFar = 6,      // a refined edge a sheet or more beyond the base, or no trapezoid at all
};

// Reads the items of a whole file's content into the record, supplies the defaults and checks the
// refined trapezoid. Touches no file. Fails with kCannotReadLine, kBadItem, kMissingKey or
// kEdgeTooFar; a failure's reason starts with where the fault stands, e.g. `params.txt:3: unknown
// key "MapScal"` for source "params.txt" (cp1251).
Outcome ReadParamText(std::string_view content, std::string_view source, SheetParameters& p);

// ReadParamText over the file. Only a regular file of at most 1 MiB is read: a folder, a FIFO or a
// device is refused at once with kCannotOpen, as is a file that cannot be opened; kCannotReadLine
// when it cannot be read. Touches nothing on disk: the run makes the result folder
// (publish/result_folder.h) once every check has passed.
Outcome ReadParamFile(const std::filesystem::path& file, SheetParameters& p);

}  // namespace mapbasis
