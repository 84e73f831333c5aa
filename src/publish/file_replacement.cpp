#include "publish/file_replacement.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

#include "core/echo.h"
#include "core/messages.h"
#include "platform/files.h"
#include "publish/layer_family.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// How often a step of the undoing or of the sweep is tried, and the pauses before the later
// tries: a file that a virus scanner or an indexer opens for a moment is let go by then.
constexpr int kAttempts = 4;
constexpr std::chrono::milliseconds kPauses[kAttempts - 1] = {
    std::chrono::milliseconds(10), std::chrono::milliseconds(100), std::chrono::milliseconds(1000)};

// The endings of the hidden names, and the most numbered names tried when they are taken.
constexpr std::string_view kNewEnding = ".tmp";
constexpr std::string_view kOldEnding = ".old";
constexpr unsigned kMostHiddenNames = 1000;

// --- What the steps say when they fail -------------------------------------------------------

// `what` is a message with %1 for the file and %2 for the system's error.
std::string Said(std::string_view what, const fs::path& path, const std::error_code& error) {
  return messages_detail::Fill(what, {QuotedPath(path), SystemErrorText(error)});
}

Outcome NotWritten(const fs::path& file, const std::error_code& error) {
  return Failure(PublishFault::kNotWritten, Said(Tr("cannot write %1: %2"), file, error));
}

Outcome NotPutInPlace(const fs::path& file, const std::error_code& error) {
  return Failure(PublishFault::kNotPutInPlace, Said(Tr("cannot put in place %1: %2"), file, error));
}

// `hidden` is where the old file lies that could not be moved back; none when a new file could
// not be removed.
Outcome NotUndone(const Outcome& failure, const fs::path& file, const fs::path* hidden,
                  const std::error_code& error) {
  const std::string why =
      hidden != nullptr
          ? Tr("cannot move %1 back to %2: %3", QuotedPath(*hidden), QuotedPath(file),
               SystemErrorText(error))
          : Tr("cannot remove the new file %1: %2 (the old ones stay beside it, named "
               ".mapbasis-*.old)",
               QuotedPath(file), SystemErrorText(error));
  return Failure(PublishFault::kNotUndone,
                 Tr("%1; the old files could not all be put back: %2", failure.reason, why));
}

// The old files stand again, but a new file's hidden copy could not be removed.
Outcome KeyNotRemoved(const Outcome& failure, const fs::path& key, const std::error_code& error) {
  return Failure(PublishFault::kNotUndone,
                 Tr("%1; the hidden new file %2 could not be removed: %3", failure.reason,
                    QuotedPath(key), SystemErrorText(error)));
}

Outcome NotSwept(const fs::path& file, const std::error_code& error) {
  return Failure(
      PublishFault::kNotSwept,
      Said(Tr("the new files are in place, but the old file %1 could not be removed: %2"), file,
           error));
}

// --- The steps ---------------------------------------------------------------------------------

// The hidden name of `path`; from the second attempt on, numbered.
fs::path HiddenNameOf(const fs::path& path, std::string_view ending, unsigned attempt) {
  // Joined as the platform's own characters, whatever they are, and built anew rather than with
  // replace_filename, which can leave the path broken when memory runs out half-way (libstdc++
  // 12), so that its destructor crashes.
  using Native = fs::path::string_type;
  const Native& whole = path.native();
  std::size_t own = whole.size();
  while (own > 0 && whole[own - 1] != '/' && whole[own - 1] != fs::path::preferred_separator) {
    --own;
  }
  Native name;
  name.reserve(whole.size() + platform::kTemporaryPrefix.size() + 16);
  name.append(whole, 0, own);
  name.append(platform::kTemporaryPrefix.begin(), platform::kTemporaryPrefix.end());
  name.append(whole, own);
  if (attempt > 0) {
    const std::string number = "." + std::to_string(attempt + 1);
    name.append(number.begin(), number.end());
  }
  name.append(ending.begin(), ending.end());
  return fs::path(std::move(name));
}

// Does `step` into the hidden names of `path` in turn until one is free; `hidden` is the name used.
template <class Step>
std::error_code IntoFreeHiddenName(const fs::path& path, std::string_view ending, fs::path& hidden,
                                   Step step) {
  for (unsigned attempt = 0;; ++attempt) {
    hidden = HiddenNameOf(path, ending, attempt);
    const std::error_code error = step(hidden);
    if (!platform::IsTaken(error) || attempt + 1 == kMostHiddenNames) return error;
  }
}

// Writes the file anew; `made` says whether it was made, whole or not.
std::error_code WriteWhole(platform::FileSystem& system, const fs::path& file,
                           std::string_view bytes, bool& made) {
  platform::NewFile out;
  if (std::error_code error = system.Create(out, file)) return error;
  made = true;
  if (std::error_code error = system.Write(out, bytes)) return error;
  return system.Close(out);
}

// Tries the step until it succeeds or the attempts are spent; nothing at the name is no failure
// when `missingIsDone`.
template <class Step>
std::error_code Persistently(platform::FileSystem& system, Step step, bool missingIsDone) {
  std::error_code error;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) system.Pause(kPauses[attempt - 1]);
    error = step();
    if (!error || (missingIsDone && platform::IsMissing(error))) return {};
  }
  return error;
}

std::error_code RemovePersistently(platform::FileSystem& system, const fs::path& file) {
  return Persistently(
      system, [&] { return system.RemoveFile(file); }, true);
}

// An old file moved aside.
struct Aside {
  const fs::path* file;  // its name, as the caller gave it
  fs::path hidden;
};

// The steps taken so far. Every step is noted without allocating (the room is made before the
// first step), so that running out of memory never leaves a step unnoted; the undoing allocates
// nothing either until it has to say what failed.
class Journal {
 public:
  Journal(platform::FileSystem& system, std::span<const FileSet> sets, const OldFiles& old)
      : system(system) {
    std::size_t files = 0;
    for (const FileSet& set : sets) files += set.size();
    keys.reserve(sets.size());
    placed.reserve(files);
    std::size_t oldFiles = 0;
    for (const auto& set : old.sets) oldFiles += set.size();
    asides.reserve(oldFiles);
  }

  platform::FileSystem& system;
  std::vector<fs::path> keys;           // each set's key under its hidden name, until in place
  std::vector<Aside> asides;            // the old files moved aside, in order
  std::vector<const fs::path*> placed;  // the new files under their names, begun or whole

  // What the undoing stopped at: the file, the hidden name of the old file it could not move back
  // (none when a new file could not be removed), and why; or, with every old file back, the first
  // hidden key that could not be removed.
  struct Stop {
    const fs::path* file = nullptr;
    const fs::path* hidden = nullptr;
    std::error_code error;
    const fs::path* key = nullptr;
    std::error_code keyError;
  };

  // Undoes every step, the last first; false when a step could not be undone, said in `stop`.
  // Stopping leaves the files as the steps forward once had them, every set whole or without its
  // key; what was moved aside then stays hidden, for the next run that succeeds to sweep.
  bool Undo(Stop& stop) {
    bool whole = true;
    // What was put in place goes, a set's key before its other files.
    while (whole && !placed.empty()) {
      if ((stop.error = RemovePersistently(system, *placed.back()))) {
        stop.file = placed.back();
        whole = false;
      } else {
        placed.pop_back();
      }
    }
    // The old files come back, a set's key after its other files.
    while (whole && !asides.empty()) {
      const Aside& aside = asides.back();
      stop.error = Persistently(
          system, [&] { return system.RenameIntoFreeName(aside.hidden, *aside.file); }, false);
      if (stop.error) {
        stop.file = aside.file;
        stop.hidden = &aside.hidden;
        whole = false;
      } else {
        asides.pop_back();
      }
    }
    // The keys not put in place go.
    for (const fs::path& key : keys) {
      if (key.empty()) continue;
      if (std::error_code error = RemovePersistently(system, key); error && stop.key == nullptr) {
        stop.key = &key;
        stop.keyError = error;
      }
    }
    return whole && stop.key == nullptr;
  }
};

// Undoes the journal after `failure` and says so.
Outcome UndoAfter(Journal& journal, Outcome failure) {
  Journal::Stop stop;
  if (journal.Undo(stop)) return failure;
  if (stop.file == nullptr) return KeyNotRemoved(failure, *stop.key, stop.keyError);
  return NotUndone(failure, *stop.file, stop.hidden, stop.error);
}

// Why a new file could not take its name: something standing there that was not when the old
// files were found (another program made it meanwhile) is an old file that was not moved aside,
// and refuses the replacement as one that cannot be moved would.
Outcome NotInPlace(const fs::path& file, const std::error_code& error, bool key) {
  if (platform::IsTaken(error)) {
    return Failure(PublishFault::kOldNotMoved,
                   Tr("%1 appeared while the old files were moved aside; nothing was changed, run "
                      "again",
                      QuotedPath(file)));
  }
  return key ? NotPutInPlace(file, error) : NotWritten(file, error);
}

// Steps 1 to 3; a failure is undone by the caller.
Outcome Replace(Journal& journal, const OldFiles& old, std::span<const FileSet> sets) {
  platform::FileSystem& system = journal.system;
  // 1. Each set's key, whole, under a hidden name.
  for (const FileSet& set : sets) {
    const PendingFile& key = set.back();
    fs::path hidden;
    bool made = false;
    const std::error_code error = IntoFreeHiddenName(
        key.path, kNewEnding, hidden,
        [&](const fs::path& name) { return WriteWhole(system, name, key.bytes, made); });
    // A file begun and not finished is removed with the rest.
    if (made) journal.keys.push_back(std::move(hidden));
    if (error) return NotWritten(key.path, error);
  }

  // 2. The old files aside, each set's key first.
  for (const auto& set : old.sets) {
    for (const fs::path& file : set) {
      fs::path aside;
      const std::error_code error = IntoFreeHiddenName(
          file, kOldEnding, aside,
          [&](const fs::path& name) { return system.RenameIntoFreeName(file, name); });
      if (platform::IsMissing(error)) continue;  // gone meanwhile: nothing to move
      if (error) return Failure(PublishFault::kOldNotMoved, WhyNotMovable(file, error));
      journal.asides.push_back({&file, std::move(aside)});
    }
  }

  // 3. Each set's other files written into their names, which are free now, then its key renamed
  // into its own.
  for (std::size_t i = 0; i < sets.size(); ++i) {
    const FileSet& set = sets[i];
    for (std::size_t j = 0; j + 1 < set.size(); ++j) {
      platform::NewFile out;
      std::error_code error = system.Create(out, set[j].path);
      if (error) return NotInPlace(set[j].path, error, false);
      journal.placed.push_back(&set[j].path);
      error = system.Write(out, set[j].bytes);
      if (!error) error = system.Close(out);
      if (error) return NotWritten(set[j].path, error);
    }
    if (std::error_code error = system.RenameIntoFreeName(journal.keys[i], set.back().path)) {
      return NotInPlace(set.back().path, error, true);
    }
    journal.placed.push_back(&set.back().path);
    journal.keys[i].clear();
  }
  return Success();
}

}  // namespace

bool IsHiddenNameOf(std::string_view fileName, std::string_view name) {
  const std::string_view prefix = platform::kTemporaryPrefix;
  static_assert(kNewEnding.size() == kOldEnding.size());
  const std::size_t ending = kNewEnding.size();
  if (fileName.size() < prefix.size() + name.size() + ending ||
      !EqualIgnoringAsciiCase(fileName.substr(0, prefix.size()), prefix) ||
      !EqualIgnoringAsciiCase(fileName.substr(prefix.size(), name.size()), name)) {
    return false;
  }
  std::string_view rest = fileName.substr(prefix.size() + name.size());
  const std::string_view end = rest.substr(rest.size() - ending);
  if (!EqualIgnoringAsciiCase(end, kNewEnding) && !EqualIgnoringAsciiCase(end, kOldEnding)) {
    return false;
  }
  rest.remove_suffix(ending);
  // Nothing between the name and the ending, or a number after a dot.
  if (rest.empty()) return true;
  if (rest.size() < 2 || rest.front() != '.') return false;
  for (const char c : rest.substr(1)) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string WhyNotMovable(const fs::path& file, const std::error_code& error) {
  if (platform::IsOpenElsewhere(error)) {
    return Tr(
        "the old file %1 is open in another program: close the sheet in the GIS and run again",
        QuotedPath(file));
  }
  return Said(Tr("cannot move or delete the old file %1: %2"), file, error);
}

Outcome ReplaceFiles(platform::FileSystem& system, const OldFiles& old,
                     std::span<const FileSet> sets) {
  Journal journal(system, sets, old);
  try {
    if (Outcome replaced = Replace(journal, old, sets); !replaced.ok()) {
      return UndoAfter(journal, std::move(replaced));
    }
  } catch (...) {
    // Out of memory half-way: the old files come back before the run ends.
    Journal::Stop stop;
    (void)journal.Undo(stop);
    throw;
  }

  // 4. The sweep: the run has succeeded, and a file that cannot be removed is said.
  for (const Aside& aside : journal.asides) {
    if (std::error_code error = RemovePersistently(system, aside.hidden)) {
      return NotSwept(aside.hidden, error);
    }
  }
  for (const fs::path& leftover : old.leftovers) {
    if (std::error_code error = RemovePersistently(system, leftover)) {
      return NotSwept(leftover, error);
    }
  }
  return Success();
}

namespace {

// Whether `file` is a regular file, not a link, that holds exactly `bytes`. Anything that cannot
// be read says no: the file is then replaced as any other.
bool HoldsExactly(platform::FileSystem& system, const fs::path& file, std::string_view bytes) {
  platform::EntryType type = platform::EntryType::kMissing;
  if (system.StatusOf(file, type) || type != platform::EntryType::kFile) return false;
  platform::InputFile in;
  std::uint64_t size = 0;
  if (system.Open(in, file) || system.Describe(in, type, size) ||
      type != platform::EntryType::kFile || size != bytes.size()) {
    return false;
  }
  char buffer[16384];
  for (std::size_t at = 0;;) {
    std::size_t count = 0;
    if (system.Read(in, buffer, sizeof buffer, count)) return false;
    if (count == 0) return at == bytes.size();
    if (count > bytes.size() - at || bytes.compare(at, count, buffer, count) != 0) return false;
    at += count;
  }
}

}  // namespace

void LeaveOutUnchanged(platform::FileSystem& system, OldFiles& old, FileSets& sets) {
  for (std::size_t i = 0; i < sets.size();) {
    const FileSet& set = sets[i];
    const auto same = std::find_if(old.sets.begin(), old.sets.end(), [&](const auto& files) {
      return files.size() == set.size() &&
             std::all_of(set.begin(), set.end(), [&](const PendingFile& file) {
               return std::find(files.begin(), files.end(), file.path) != files.end();
             });
    });
    // The smallest files first: a set that differs mostly does so in its small ones already (a
    // .PRJ in another coordinate system, an index of another length), after one short read.
    std::vector<const PendingFile*> bySize;
    if (same != old.sets.end()) {
      for (const PendingFile& file : set) bySize.push_back(&file);
      std::sort(bySize.begin(), bySize.end(), [](const PendingFile* a, const PendingFile* b) {
        return a->bytes.size() < b->bytes.size();
      });
    }
    if (same != old.sets.end() &&
        std::all_of(bySize.begin(), bySize.end(), [&](const PendingFile* file) {
          return HoldsExactly(system, file->path, file->bytes);
        })) {
      old.sets.erase(same);
      sets.erase(sets.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}

Outcome PublishFiles(platform::FileSystem& system, const FileSet& set) {
  // What stands at the set's names is its old set, the key first.
  OldFiles old;
  old.sets.emplace_back();
  for (auto file = set.rbegin(); file != set.rend(); ++file) {
    platform::EntryType type = platform::EntryType::kMissing;
    std::error_code error = system.StatusOf(file->path, type);
    if (!error && type == platform::EntryType::kFolder) {
      error = std::make_error_code(std::errc::is_a_directory);  // not ours to move
    }
    if (error)
      return Failure(PublishFault::kNotWritten,
                     Said(Tr("cannot replace %1: %2"), file->path, error));
    if (type != platform::EntryType::kMissing) old.sets.back().push_back(file->path);
  }
  return ReplaceFiles(system, old, {&set, 1});
}

}  // namespace mapbasis
