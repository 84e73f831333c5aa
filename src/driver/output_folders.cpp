#include "driver/output_folders.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/messages.h"
#include "core/sheet_parameters.h"
#include "platform/files.h"
#include "shapeout/file_publisher.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_family.h"
#include "shapeout/layer_files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// The status of a folder that cannot be prepared.
FolderFault FailureOf(LayerFolder folder) {
  return folder == LayerFolder::kHyps ? FolderFault::kHypsFolder : FolderFault::kFrameFolder;
}

// 0 when made, 1 when a folder already stands there (made by a run beside this one, say), -1 on
// failure.
int MakeFolder(const fs::path& folder, std::error_code& error) {
  error = platform::MakeFolder(folder);
  if (!error) return 0;
  platform::EntryType type = platform::EntryType::kMissing;
  if (platform::IsTaken(error) && !platform::FollowedStatusOf(folder, type) &&
      type == platform::EntryType::kFolder) {
    return 1;
  }
  return -1;
}

// Removes the file; nothing there is no failure.
std::error_code RemoveFile(const fs::path& file) {
  const std::error_code error = platform::RemoveFile(file);
  return platform::IsMissing(error) ? std::error_code{} : error;
}

// What preparing one sub-folder will do, found before anything is done.
struct FolderPlan {
  std::string text;  // the folder's path, cp1251
  fs::path path;
  FolderFault failure = FolderFault::kHypsFolder;
  bool create = false;
  std::vector<fs::path> shapeFiles;  // removed first
  std::vector<fs::path> others;      // temporaries and companions, removed after them
  std::vector<OldLayers::Layer> kept;
};

Outcome Refuse(const FolderPlan& plan, const std::string& why) {
  return Failure(plan.failure, why);
}

// Sorts the folder's entries into what goes, what stays for replacement and what is not ours.
// The names of the catalogue's layers in the folder.
std::vector<std::string_view> LayersIn(LayerFolder folder) {
  std::vector<std::string_view> names;
  for (const LayerSpec& layer : LayerCatalogue()) {
    if (layer.folder == folder) names.push_back(layer.name);
  }
  return names;
}

Outcome PlanRemovals(std::span<const std::string_view> layers, bool keep, FolderPlan& plan) {
  // The types come with the listing; a link is never taken for a folder.
  std::vector<platform::FolderEntry> entries;
  if (std::error_code error = platform::ListFolder(plan.path, entries)) {
    return Refuse(
        plan, Tr("cannot read the folder %1: %2", QuotedPath(plan.path), SystemErrorText(error)));
  }

  for (const auto& [path, type] : entries) {
    const bool isFolder = type == platform::EntryType::kFolder;
    const std::string name = FileNameOf(path);
    const std::string lower = LowerAscii(name);
    for (const std::string_view layer : layers) {
      if (isFolder && IsWrittenName(name, layer)) {
        return Refuse(plan, Tr("a folder stands where a layer file goes: %1", QuotedPath(path)));
      }
    }
    if (isFolder) continue;
    if (lower.starts_with(platform::kTemporaryPrefix)) {
      plan.others.push_back(path);
      continue;
    }
    for (const std::string_view layer : layers) {
      const auto extension = FamilyExtensionOf(name, layer);
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
      if (std::error_code why = platform::CheckDeletable(file)) {
        return Refuse(plan, Tr("cannot delete the old layer file %1: %2", QuotedPath(file),
                               SystemErrorText(why)));
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
Outcome PlanFolder(const ResultFolders& folders, LayerFolder layerFolder, bool keep,
                   FolderPlan& plan) {
  const NamedPath& named = folders.Of(layerFolder);
  const fs::path& parent = folders.result.path;
  const std::string_view folder = named.text;
  plan.text = named.text;
  plan.failure = FailureOf(layerFolder);
  if (folder.size() > kPathLength) {
    return Refuse(plan, Tr("the folder \"%1\" would be longer than %2 characters", EchoPath(folder),
                           kPathLength));
  }
  plan.path = named.path;
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(plan.path, ec);
  if (own.type() == fs::file_type::not_found) {
    if (std::error_code why = platform::CheckWritableFolder(parent)) {
      return Refuse(
          plan, Tr("cannot create the folder \"%1\": %2", EchoPath(folder), SystemErrorText(why)));
    }
    plan.create = true;
    return Success();
  }
  if (ec)
    return Refuse(plan,
                  Tr("cannot use the folder \"%1\": %2", EchoPath(folder), SystemErrorText(ec)));
  if (!fs::is_directory(fs::status(plan.path, ec))) {
    return Refuse(
        plan, fs::is_symlink(own)
                  ? Tr("\"%1\" exists but is not a folder (a link to no folder)", EchoPath(folder))
                  : Tr("\"%1\" exists but is not a folder", EchoPath(folder)));
  }
  if (Outcome planned = PlanRemovals(LayersIn(layerFolder), keep, plan); !planned.ok()) {
    return planned;
  }
  if (std::error_code why = platform::CheckWritableFolder(plan.path)) {
    const bool removals = !plan.shapeFiles.empty() || !plan.others.empty();
    const fs::path& first = !plan.shapeFiles.empty() ? plan.shapeFiles.front()
                            : removals               ? plan.others.front()
                                                     : plan.path;
    return Refuse(plan, removals ? Tr("cannot delete the old layer file %1: %2", QuotedPath(first),
                                      SystemErrorText(why))
                                 : Tr("cannot write in the folder \"%1\": %2", EchoPath(folder),
                                      SystemErrorText(why)));
  }
  return Success();
}

// Removes what the plan says, shape files first.
Outcome RemoveOld(const FolderPlan& plan) {
  for (const auto* files : {&plan.shapeFiles, &plan.others}) {
    for (const fs::path& file : *files) {
      if (std::error_code why = RemoveFile(file)) {
        return Refuse(plan, Tr("cannot delete the old layer file %1: %2", QuotedPath(file),
                               SystemErrorText(why)));
      }
    }
  }
  return Success();
}

}  // namespace

Outcome CheckLayerPathLengths(const ResultFolders& result) {
  const std::string_view R = result.given;
  for (const LayerSpec& layer : LayerCatalogue()) {
    const std::string_view folder = FolderName(layer.folder);
    const std::size_t length = R.size() + folder.size() + 1 + layer.name.size();
    if (length > kMaxBasePathLength) {
      return Failure(FailureOf(layer.folder),
                     Tr("the result folder \"%1\" is too long for its layers: %2's layer paths "
                        "would be %3 characters, %4 at the most",
                        EchoPath(R), folder, length, kMaxBasePathLength));
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

Outcome PrepareOutputFolders(const ResultFolders& folders, OldLayers* old,
                             std::span<const std::string_view> resultFiles) {
  const std::string& result = folders.given;
  const fs::path& resultPath = folders.result.path;
  std::error_code ec;
  const fs::file_status status = fs::status(resultPath, ec);
  if (!fs::exists(status)) {
    return Failure(FolderFault::kResultFolderMissing,
                   Tr("the result folder \"%1\" does not exist", EchoPath(result)));
  }
  if (!fs::is_directory(status)) {
    return Failure(FolderFault::kResultFolderMissing,
                   Tr("the result folder \"%1\" is not a folder", EchoPath(result)));
  }

  // Both folders are checked before either is touched.
  FolderPlan plans[2];
  const LayerFolder layerFolders[] = {LayerFolder::kHyps, LayerFolder::kFrame};
  for (std::size_t i = 0; i < std::size(plans); ++i) {
    if (Outcome ok = PlanFolder(folders, layerFolders[i], old != nullptr, plans[i]); !ok.ok()) {
      return ok;
    }
  }

  // The result folder's own files that the run writes anew: checked with the folders, removed
  // before any layer is touched.
  std::vector<fs::path> oldFiles;
  for (const std::string_view name : resultFiles) {
    const fs::path file = resultPath / PathFromCp1251(std::string(name));
    const fs::file_status fileStatus = fs::symlink_status(file, ec);
    if (!fs::exists(fileStatus)) continue;
    if (fs::is_directory(fileStatus)) {
      return Failure(FolderFault::kResultFile,
                     Tr("%1 is a folder, not a file the run writes", QuotedPath(file)));
    }
    std::error_code why = platform::CheckWritableFolder(resultPath);
    if (!why) why = platform::CheckDeletable(file);
    if (why) {
      return Failure(FolderFault::kResultFile,
                     Tr("cannot replace %1: %2", QuotedPath(file), SystemErrorText(why)));
    }
    oldFiles.push_back(file);
  }
  for (const fs::path& file : oldFiles) {
    if (std::error_code why = RemoveFile(file)) {
      return Failure(FolderFault::kResultFile,
                     Tr("cannot delete %1: %2", QuotedPath(file), SystemErrorText(why)));
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
      for (const fs::path& folder : made) (void)platform::RemoveEmptyFolder(folder);
      return Refuse(plan, Tr("cannot create the folder \"%1\": %2", EchoPath(plan.text),
                             SystemErrorText(why)));
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
