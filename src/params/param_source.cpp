#include "params/param_source.h"

#include <system_error>

#include "core/messages.h"
#include "params/param_file.h"
#include "platform/files.h"

namespace mapbasis {

namespace {

constexpr ParamFileFault kCannotOpen = ParamFileFault::kCannotOpen;

Outcome TooLarge() {
  return Failure(kCannotOpen, Tr("the file is larger than 1 MiB, which no parameter file is"));
}

Outcome CannotOpen(const std::error_code& error) {
  return Failure(kCannotOpen, Tr("cannot open the file: %1", SystemErrorText(error)));
}

}  // namespace

Outcome ReadParameterFile(const std::filesystem::path& file, std::string& content) {
  // Opened without waiting, so that a FIFO with no writer cannot hold the run; then only a
  // regular file is read.
  platform::InputFile in;
  if (std::error_code error = in.Open(file)) return CannotOpen(error);
  platform::EntryType type = platform::EntryType::kOther;
  std::uint64_t size = 0;
  if (std::error_code error = in.Describe(type, size)) return CannotOpen(error);
  if (type == platform::EntryType::kFolder) {
    return Failure(kCannotOpen, Tr("cannot open the file: it is a folder"));
  }
  if (type != platform::EntryType::kFile) {
    return Failure(kCannotOpen,
                   Tr("cannot open the file: it is not a regular file (a FIFO, device or socket)"));
  }
  if (size > kMaxParameterFileSize) return TooLarge();

  // Read to the end, never beyond the limit: the file may grow while it is read.
  content.assign(static_cast<std::size_t>(size), '\0');
  std::size_t filled = 0;
  char extra[4096];
  for (;;) {
    char* into = filled < content.size() ? content.data() + filled : extra;
    const std::size_t room = filled < content.size() ? content.size() - filled : sizeof extra;
    std::size_t n = 0;
    if (std::error_code error = in.Read(into, room, n)) {
      return Failure(ParamFileFault::kCannotReadLine,
                     Tr("cannot read the file: %1", SystemErrorText(error)));
    }
    if (n == 0) break;
    if (into == extra) content.append(extra, n);
    filled += n;
    if (filled > kMaxParameterFileSize) return TooLarge();
  }
  content.resize(filled);
  return Success();
}

}  // namespace mapbasis
