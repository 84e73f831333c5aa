#include "shapeout/file_publisher.h"

#include <string>
#include <system_error>
#include <vector>

#include "core/echo.h"
#include "core/messages.h"
#include "platform/files.h"

namespace mapbasis {

namespace {

// `what` is a message with %1 for the file and %2 for the system's error.
Outcome SystemFailure(std::string_view what, const std::filesystem::path& path,
                      std::error_code error) {
  return Failure(PublishFault::kNotPublished,
                 messages_detail::Fill(what, {QuotedPath(path), SystemErrorText(error)}));
}

// Creates the temporary file anew and writes the bytes in one go. A stale temporary of an earlier
// run that was stopped half-way (or anything else standing at its name) is removed first.
Outcome WriteTemporary(const std::filesystem::path& temporary, std::string_view bytes) {
  platform::NewFile file;
  std::error_code error = file.Create(temporary);
  if (platform::IsTaken(error)) {
    if (std::error_code removed = platform::RemoveFile(temporary)) {
      return SystemFailure(Tr("cannot replace %1: %2"), temporary, removed);
    }
    error = file.Create(temporary);
  }
  if (error) return SystemFailure(Tr("cannot create %1: %2"), temporary, error);
  if (std::error_code written = file.Write(bytes)) {
    return SystemFailure(Tr("cannot write %1: %2"), temporary, written);
  }
  if (std::error_code closed = file.Close())
    return SystemFailure(Tr("cannot write %1: %2"), temporary, closed);
  return Success();
}

void RemoveQuietly(const std::filesystem::path& path) { (void)platform::RemoveFile(path); }

// Removes what stands at the name, a link as a link; nothing there is no failure.
Outcome RemoveOld(const std::filesystem::path& path) {
  const std::error_code error = platform::RemoveFile(path);
  if (!error || platform::IsMissing(error)) return Success();
  return SystemFailure(Tr("cannot delete the old %1: %2"), path, error);
}

}  // namespace

std::filesystem::path TemporaryNameOf(const std::filesystem::path& path) {
  std::filesystem::path name = std::string(platform::kTemporaryPrefix);
  name += path.filename();  // joined as the platform's own characters, whatever they are
  // Not named like a layer file: a reader that lists the folder's layers never takes it for one.
  name += ".tmp";
  // Built anew rather than with replace_filename, which can leave the path broken when memory
  // runs out half-way (libstdc++ 12), so that its destructor crashes.
  return path.parent_path() / name;
}

Outcome PublishFiles(std::span<const PendingFile> files) {
  std::vector<std::filesystem::path> temporaries;
  const auto removeTemporaries = [&] {
    for (const auto& temporary : temporaries) RemoveQuietly(temporary);
  };
  for (const PendingFile& file : files) {
    temporaries.push_back(TemporaryNameOf(file.path));
    if (Outcome written = WriteTemporary(temporaries.back(), file.bytes); !written.ok()) {
      removeTemporaries();
      return written;
    }
  }
  // The old key goes before any file of the old set is replaced.
  if (files.size() > 1) {
    if (Outcome removed = RemoveOld(files.back().path); !removed.ok()) {
      removeTemporaries();
      return removed;
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (std::error_code error = platform::RenameReplacing(temporaries[i], files[i].path)) {
      const Outcome failed = SystemFailure(Tr("cannot put in place %1: %2"), files[i].path, error);
      // Half a set under the layer's names would read as a layer: none of it stays.
      for (std::size_t j = 0; j < i; ++j) RemoveQuietly(files[j].path);
      removeTemporaries();
      return failed;
    }
  }
  return Success();
}

}  // namespace mapbasis
