// The bytes of a parameter file. A parameter file is a few lines of text; only a regular file of
// a sensible size is read, so that a FIFO, a device or a huge file named by mistake cannot hang
// or swamp a batch run.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "core/outcome.h"

namespace mapbasis {

// Far above any real parameter file.
inline constexpr std::size_t kMaxParameterFileSize = 1024 * 1024;

// The whole content of the file. ParamFileFault::kCannotOpen when it cannot be opened, is not a
// regular file or is larger than kMaxParameterFileSize; kCannotReadLine when reading it fails. The
// reason says why, with the system's reason where there is one (no file name: the caller puts it in
// front).
Outcome ReadParameterFile(const std::filesystem::path& file, std::string& content);

}  // namespace mapbasis
