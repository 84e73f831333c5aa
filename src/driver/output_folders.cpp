#include "driver/output_folders.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/path_separator.h"
#include "core/sheet_parameters.h"
#include "shapeout/file_publisher.h"
#include "shapeout/layer_files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// Layers of earlier runs, in the order they are cleared. When a file of a layer's shapefile family
// is there, it goes: the set itself, the indexes and metadata that would describe the old layer,
// and its style. Other files named like a layer stay.
constexpr std::string_view kGraticuleLayers[] = {"HypsA", "HypsL", "HypsP"};
constexpr std::string_view kFrameLayers[] = {"Frame", "FrameDig", "FrameAdj"};
constexpr std::string_view kFamilyExtensions[] = {
    ".shp", ".shx", ".dbf", ".prj", ".cpg", ".sbn", ".sbx",     ".qix", ".fbn",
    ".fbx", ".ain", ".aih", ".atx", ".ixs", ".mxs", ".shp.xml", ".qpj", ".qml"};

// The prefix of the temporary files that layer files are written to (shapeout/file_publisher.h).
constexpr std::string_view kTemporaryPrefix = ".mapbasis-";

std::string LowerAscii(std::string_view name) {
  std::string text(name);
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string NameOf(const fs::path& path) {
  const std::u8string u8 = path.filename().u8string();
  return std::string(u8.begin(), u8.end());
}

// The extension of a family file of the layer (lower case), or nothing.
std::optional<std::string_view> FamilyExtension(std::string_view lowerName,
                                                std::string_view lowerLayer) {
  if (!lowerName.starts_with(lowerLayer)) return std::nullopt;
  const std::string_view extension = lowerName.substr(lowerLayer.size());
  for (const std::string_view family : kFamilyExtensions) {
    if (extension == family) return family;
  }
  return std::nullopt;
}

// Whether the name is one that the run itself writes for the layer, final or temporary.
bool IsWrittenName(std::string_view lowerName, std::string_view layer) {
  const auto matches = [&](std::string_view extension) {
    const fs::path file = PathFromCp1251(std::string(layer) + std::string(extension));
    return lowerName == LowerAscii(NameOf(file)) ||
           lowerName == LowerAscii(NameOf(TemporaryNameOf(file)));
  };
  if (matches(kLayerKeyExtension)) return true;
  for (const std::string_view companion : kLayerCompanionExtensions) {
    if (matches(companion)) return true;
  }
  return false;
}

std::string Quoted(const fs::path& path) { return "\"" + EchoPath(DisplayPath(path)) + "\""; }

#ifdef _WIN32

std::error_code LastError() {
  return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
}

// Windows checks access when a file is made or deleted; only what would certainly fail is
// found beforehand.
std::error_code CannotWriteIn(const fs::path&) { return {}; }

std::error_code Undeletable(const fs::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return std::error_code(ERROR_ACCESS_DENIED, std::system_category());
  }
  return {};
}

// 0 when made, 1 when a folder already stands there, -1 on failure.
int MakeFolder(const fs::path& folder, std::error_code& error) {
  if (::CreateDirectoryW(folder.c_str(), nullptr)) return 0;
  error = LastError();
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return 1;
  }
  return -1;
}

void RemoveFolder(const fs::path& folder) { ::RemoveDirectoryW(folder.c_str()); }

std::error_code RemoveFile(const fs::path& file) {
  if (::DeleteFileW(file.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) return {};
  return LastError();
}

#else

std::error_code Errno(int error) { return std::error_code(error, std::generic_category()); }

// Whether the run may list, make and delete files in the folder.
std::error_code CannotWriteIn(const fs::path& folder) {
  if (::access(folder.c_str(), R_OK | W_OK | X_OK) == 0) return {};
  return Errno(errno);
}

// Whether unlinking the file would be refused though the folder may be written: an immutable or
// append-only file, or, in a folder with the sticky bit that is not the user's, a file of another
// user.
std::error_code Undeletable(const fs::path& file) {
  static const uid_t me = ::geteuid();
  struct statx info {};
  if (::statx(AT_FDCWD, file.c_str(), AT_SYMLINK_NOFOLLOW, STATX_UID, &info) != 0) {
    return errno == ENOENT ? std::error_code{} : Errno(errno);
  }
  if ((info.stx_attributes & (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0) return Errno(EPERM);
  if (me == 0 || info.stx_uid == me) return {};
  struct stat folder {};
  if (::stat(file.parent_path().c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX) != 0 &&
      folder.st_uid != me) {
    return Errno(EPERM);
  }
  return {};
}

// 0 when made, 1 when a folder already stands there (made by a run beside this one, say), -1 on
// failure.
int MakeFolder(const fs::path& folder, std::error_code& error) {
  if (::mkdir(folder.c_str(), 0777) == 0) return 0;
  const int failure = errno;
  struct stat info {};
  if (failure == EEXIST && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return 1;
  error = Errno(failure);
  return -1;
}

void RemoveFolder(const fs::path& folder) { ::rmdir(folder.c_str()); }

std::error_code RemoveFile(const fs::path& file) {
  if (::unlink(file.c_str()) == 0 || errno == ENOENT) return {};
  return Errno(errno);
}

#endif

// What preparing one sub-folder will do, found before anything is done.
struct FolderPlan {
  std::string text;  // the folder's path, cp1251
  fs::path path;
  std::int32_t failure = 0;
  bool create = false;
  std::vector<fs::path> shapeFiles;  // removed first
  std::vector<fs::path> others;      // temporaries and companions, removed after them
  std::vector<OldLayers::Layer> kept;
};

Outcome Refuse(const FolderPlan& plan, const std::string& why) {
  return Failure(plan.failure, why);
}

// Sorts the folder's entries into what goes, what stays for replacement and what is not ours.
Outcome PlanRemovals(std::span<const std::string_view> layers, bool keep, FolderPlan& plan) {
  std::error_code ec;
  std::vector<std::pair<fs::path, bool>> entries;  // path, whether it is a folder (not a link)
  for (fs::directory_iterator it(plan.path, ec), end; !ec && it != end; it.increment(ec)) {
    // The types come with the listing; a link is never taken for a folder.
    std::error_code typeError;
    entries.emplace_back(it->path(), !it->is_symlink(typeError) && it->is_directory(typeError));
  }
  if (ec) return Refuse(plan, "cannot read the folder " + Quoted(plan.path) + ": " + ec.message());

  for (const auto& [path, isFolder] : entries) {
    const std::string name = NameOf(path);
    const std::string lower = LowerAscii(name);
    for (const std::string_view layer : layers) {
      if (isFolder && IsWrittenName(lower, layer)) {
        return Refuse(plan, "a folder stands where a layer file goes: " + Quoted(path));
      }
    }
    if (isFolder) continue;
    if (lower.starts_with(kTemporaryPrefix)) {
      plan.others.push_back(path);
      continue;
    }
    for (const std::string_view layer : layers) {
      const std::string lowerLayer = LowerAscii(layer);
      const auto extension = FamilyExtension(lower, lowerLayer);
      if (!extension) continue;
      if (*extension == LowerAscii(kLayerKeyExtension)) {
        plan.shapeFiles.push_back(path);
        break;
      }
      bool replaced = false;
      for (const std::string_view companion : kLayerCompanionExtensions) {
        replaced = replaced || name == std::string(layer) + std::string(companion);
      }
      if (!(keep && replaced)) {
        plan.others.push_back(path);
        break;
      }
      fs::path shapeFile = plan.path / PathFromCp1251(layer);
      shapeFile += kLayerKeyExtension;
      // One entry per layer: the entries of a folder come in any order.
      auto& kept = plan.kept;
      auto entry = std::find_if(kept.begin(), kept.end(),
                                [&](const auto& k) { return k.shapeFile == shapeFile; });
      if (entry == kept.end()) entry = kept.insert(kept.end(), {shapeFile, {}});
      entry->companions.push_back(path);
      break;
    }
  }

  // Each old layer must be removable as a whole before any of it goes.
  const auto checkAll = [&](const std::vector<fs::path>& files) -> Outcome {
    for (const fs::path& file : files) {
      if (std::error_code why = Undeletable(file)) {
        return Refuse(plan,
                      "cannot delete the old layer file " + Quoted(file) + ": " + why.message());
      }
    }
    return Success();
  };
  if (Outcome ok = checkAll(plan.shapeFiles); !ok.ok()) return ok;
  if (Outcome ok = checkAll(plan.others); !ok.ok()) return ok;
  for (const auto& layer : plan.kept) {
    if (Outcome ok = checkAll(layer.companions); !ok.ok()) return ok;
  }
  return Success();
}

// Finds out what preparing one sub-folder takes; touches nothing.
Outcome PlanFolder(std::string_view folder, const fs::path& parent,
                   std::span<const std::string_view> layers, std::int32_t failure, bool keep,
                   FolderPlan& plan) {
  plan.text = std::string(folder);
  plan.failure = failure;
  if (folder.size() > kPathLength) {
    return Refuse(plan, "the folder \"" + EchoPath(folder) + "\" would be longer than " +
                            std::to_string(kPathLength) + " characters");
  }
  plan.path = PathFromCp1251(folder);
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(plan.path, ec);
  if (own.type() == fs::file_type::not_found) {
    if (std::error_code why = CannotWriteIn(parent)) {
      return Refuse(plan,
                    "cannot create the folder \"" + EchoPath(folder) + "\": " + why.message());
    }
    plan.create = true;
    return Success();
  }
  if (ec)
    return Refuse(plan, "cannot use the folder \"" + EchoPath(folder) + "\": " + ec.message());
  if (!fs::is_directory(fs::status(plan.path, ec))) {
    return Refuse(plan, "\"" + EchoPath(folder) + "\" exists but is not a folder" +
                            (fs::is_symlink(own) ? " (a link to no folder)" : ""));
  }
  if (Outcome planned = PlanRemovals(layers, keep, plan); !planned.ok()) return planned;
  if (std::error_code why = CannotWriteIn(plan.path)) {
    const bool removals = !plan.shapeFiles.empty() || !plan.others.empty();
    const fs::path& first = !plan.shapeFiles.empty() ? plan.shapeFiles.front()
                            : removals               ? plan.others.front()
                                                     : plan.path;
    return Refuse(plan, (removals ? "cannot delete the old layer file " + Quoted(first)
                                  : "cannot write in the folder \"" + EchoPath(folder) + "\"") +
                            ": " + why.message());
  }
  return Success();
}

// Removes what the plan says, shape files first.
Outcome RemoveOld(const FolderPlan& plan) {
  for (const auto* files : {&plan.shapeFiles, &plan.others}) {
    for (const fs::path& file : *files) {
      if (std::error_code why = RemoveFile(file)) {
        return Refuse(plan,
                      "cannot delete the old layer file " + Quoted(file) + ": " + why.message());
      }
    }
  }
  return Success();
}

}  // namespace

Outcome CheckLayerPathLengths(std::string_view R) {
  const struct {
    std::string_view folder;
    std::span<const std::string_view> layers;
    std::int32_t failure;
  } folders[] = {{"HYPS", kGraticuleLayers, kHypsFolderFailed},
                 {"FRAME", kFrameLayers, kFrameFolderFailed}};
  for (const auto& f : folders) {
    for (const std::string_view layer : f.layers) {
      const std::size_t length = R.size() + f.folder.size() + 1 + layer.size();
      if (length > kMaxLayerBasePathLength) {
        return Failure(f.failure, "the result folder \"" + EchoPath(R) +
                                      "\" is too long for its layers: " + std::string(f.folder) +
                                      "'s layer paths would be " + std::to_string(length) +
                                      " characters, " + std::to_string(kMaxLayerBasePathLength) +
                                      " at the most");
      }
    }
  }
  return Success();
}

void RemoveUnreplacedCompanions(const OldLayers& old) {
  for (const auto& layer : old.kept) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(layer.shapeFile, ec))) continue;
    for (const fs::path& companion : layer.companions) RemoveFile(companion);
  }
}

Outcome PrepareOutputFolders(std::string_view R, std::string& Path, std::string& FramePath,
                             OldLayers* old, std::span<const std::string_view> resultFiles) {
  const std::string result(R);  // R may be a view of Path itself
  Path = result + "HYPS";
  FramePath = result + "FRAME";
  const fs::path resultPath = PathFromCp1251(result);
  std::error_code ec;
  const fs::file_status status = fs::status(resultPath, ec);
  if (!fs::exists(status)) {
    return Failure(kResultFolderMissing,
                   "the result folder \"" + EchoPath(result) + "\" does not exist");
  }
  if (!fs::is_directory(status)) {
    return Failure(kResultFolderMissing,
                   "the result folder \"" + EchoPath(result) + "\" is not a folder");
  }

  // Both folders are checked before either is touched.
  FolderPlan plans[2];
  if (Outcome ok = PlanFolder(Path, resultPath, kGraticuleLayers, kHypsFolderFailed, old != nullptr,
                              plans[0]);
      !ok.ok()) {
    return ok;
  }
  if (Outcome ok = PlanFolder(FramePath, resultPath, kFrameLayers, kFrameFolderFailed,
                              old != nullptr, plans[1]);
      !ok.ok()) {
    return ok;
  }

  // The result folder's own files that the run writes anew: checked with the folders, removed
  // before any layer is touched.
  std::vector<fs::path> oldFiles;
  for (const std::string_view name : resultFiles) {
    const fs::path file = resultPath / PathFromCp1251(std::string(name));
    const fs::file_status fileStatus = fs::symlink_status(file, ec);
    if (!fs::exists(fileStatus)) continue;
    if (fs::is_directory(fileStatus)) {
      return Failure(kResultFileFailed, Quoted(file) + " is a folder, not a file the run writes");
    }
    std::error_code why = CannotWriteIn(resultPath);
    if (!why) why = Undeletable(file);
    if (why) {
      return Failure(kResultFileFailed, "cannot replace " + Quoted(file) + ": " + why.message());
    }
    oldFiles.push_back(file);
  }
  for (const fs::path& file : oldFiles) {
    if (std::error_code why = RemoveFile(file)) {
      return Failure(kResultFileFailed, "cannot delete " + Quoted(file) + ": " + why.message());
    }
  }

  // Folders first: a folder made here is taken away again when the other cannot be made.
  std::vector<fs::path> made;
  for (const FolderPlan& plan : plans) {
    if (!plan.create) continue;
    std::error_code why;
    const int outcome = MakeFolder(plan.path, why);
    if (outcome == 0) made.push_back(plan.path);
    if (outcome < 0) {
      for (const fs::path& folder : made) RemoveFolder(folder);
      return Refuse(plan,
                    "cannot create the folder \"" + EchoPath(plan.text) + "\": " + why.message());
    }
  }
  for (const FolderPlan& plan : plans) {
    if (Outcome removed = RemoveOld(plan); !removed.ok()) return removed;
    if (old != nullptr) {
      old->found = old->found || !plan.shapeFiles.empty();
      old->kept.insert(old->kept.end(), plan.kept.begin(), plan.kept.end());
    }
  }
  return Success();
}

}  // namespace mapbasis
