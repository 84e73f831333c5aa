#include "publish/folder_plan.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/messages.h"
#include "core/sheet_parameters.h"
#include "platform/files.h"
#include "publish/layer_family.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_files.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// The status of a folder that cannot be prepared.
FolderFault FailureOf(LayerFolder folder) {
  return folder == LayerFolder::kHyps ? FolderFault::kHypsFolder : FolderFault::kFrameFolder;
}

Outcome Refuse(const Fault& fault, std::string why) { return {fault, std::move(why)}; }

// The names of the catalogue's layers in the folder.
std::vector<std::string_view> LayersIn(LayerFolder folder) {
  std::vector<std::string_view> names;
  for (const LayerSpec& layer : LayerCatalogue()) {
    if (layer.folder == folder) names.push_back(layer.name);
  }
  return names;
}

// Whether the name is a hidden file that a stopped run left for a file of the layer's family.
bool IsLeftoverOf(std::string_view fileName, std::string_view layer) {
  if (!fileName.starts_with(platform::kTemporaryPrefix)) return false;
  std::string name(layer);
  for (const std::string_view extension : kLayerFamilyExtensions) {
    name.resize(layer.size());
    name += extension;
    if (IsHiddenNameOf(fileName, name)) return true;
  }
  return false;
}

// Every old file and leftover must be one the run may move and delete.
Outcome CheckMovable(platform::FileSystem& system, const OldFiles& old, std::size_t firstSet,
                     std::size_t firstLeftover, const Fault& refusal) {
  for (std::size_t i = firstSet; i < old.sets.size(); ++i) {
    for (const fs::path& file : old.sets[i]) {
      if (std::error_code why = system.CheckDeletable(file)) {
        return Refuse(refusal, WhyNotMovable(file, why));
      }
    }
  }
  for (std::size_t i = firstLeftover; i < old.leftovers.size(); ++i) {
    if (std::error_code why = system.CheckDeletable(old.leftovers[i])) {
      return Refuse(refusal, WhyNotMovable(old.leftovers[i], why));
    }
  }
  return Success();
}

// One sub-folder: made when missing, else its old layers found.
Outcome PlanFolder(platform::FileSystem& system, const ResultFolders& folders,
                   LayerFolder layerFolder, OutputPlan& plan) {
  const NamedPath& named = folders.Of(layerFolder);
  const Fault refusal = FailureOf(layerFolder);
  if (named.text.size() > kPathLength) {
    return Refuse(refusal, Tr("the folder \"%1\" would be longer than %2 characters",
                              EchoPath(named.text), kPathLength));
  }
  platform::EntryType type = platform::EntryType::kMissing;
  if (std::error_code why = system.StatusOf(named.path, type)) {
    return Refuse(refusal, Tr("cannot use the folder \"%1\": %2", EchoPath(named.text),
                              SystemErrorText(why)));
  }
  if (type == platform::EntryType::kMissing) {
    plan.foldersToMake.push_back(named.path);
    return Success();
  }
  platform::EntryType followed = type;
  if (type == platform::EntryType::kLink) {
    if (std::error_code why = system.FollowedStatusOf(named.path, followed)) {
      return Refuse(refusal, Tr("cannot use the folder \"%1\": %2", EchoPath(named.text),
                                SystemErrorText(why)));
    }
  }
  if (followed != platform::EntryType::kFolder) {
    return Refuse(refusal, type == platform::EntryType::kLink
                               ? Tr("\"%1\" exists but is not a folder (a link to no folder)",
                                    EchoPath(named.text))
                               : Tr("\"%1\" exists but is not a folder", EchoPath(named.text)));
  }
  const std::vector<std::string_view> layers = LayersIn(layerFolder);
  bool found = false;
  if (Outcome planned = PlanLayerFamilies(system, named.path, layers, refusal, plan.old, found);
      !planned.ok()) {
    return planned;
  }
  plan.oldLayers = plan.oldLayers || found;
  return Success();
}

// The result folder: the run may write in it, and its old project and what stopped runs left of
// one may go.
Outcome PlanResultFolder(platform::FileSystem& system, const ResultFolders& folders,
                         std::string_view projectName, OutputPlan& plan) {
  const fs::path& result = folders.result.path;
  if (std::error_code why = system.CheckWritableFolder(result)) {
    return Refuse(FolderFault::kResultFile,
                  Tr("cannot write in the result folder \"%1\": %2", EchoPath(folders.result.text),
                     SystemErrorText(why)));
  }
  std::vector<platform::FolderEntry> entries;
  if (std::error_code why = system.ListFolder(result, entries)) {
    return Refuse(FolderFault::kResultFile,
                  Tr("cannot read the result folder \"%1\": %2", EchoPath(folders.result.text),
                     SystemErrorText(why)));
  }
  const std::size_t firstSet = plan.old.sets.size();
  const std::size_t firstLeftover = plan.old.leftovers.size();
  const std::string project = LowerAscii(projectName);
  std::vector<fs::path> projects;
  for (const auto& [path, type] : entries) {
    const std::string name = FileNameOf(path);
    if (LowerAscii(name) == project) {
      if (type == platform::EntryType::kFolder) {
        return Refuse(FolderFault::kResultFile,
                      Tr("%1 is a folder, not a file the run writes", QuotedPath(path)));
      }
      projects.push_back(path);
    } else if (type != platform::EntryType::kFolder && IsHiddenNameOf(name, projectName)) {
      plan.old.leftovers.push_back(path);
    }
  }
  if (!projects.empty()) plan.old.sets.push_back(std::move(projects));
  return CheckMovable(system, plan.old, firstSet, firstLeftover, FolderFault::kResultFile);
}

}  // namespace

Outcome PlanLayerFamilies(platform::FileSystem& system, const fs::path& folder,
                          std::span<const std::string_view> layers, const Fault& refusal,
                          OldFiles& old, bool& foundLayer) {
  // The types come with the listing; a link is never taken for a folder.
  std::vector<platform::FolderEntry> entries;
  if (std::error_code error = system.ListFolder(folder, entries)) {
    return Refuse(refusal,
                  Tr("cannot read the folder %1: %2", QuotedPath(folder), SystemErrorText(error)));
  }
  const std::size_t firstSet = old.sets.size();
  const std::size_t firstLeftover = old.leftovers.size();
  // One set per layer: its shape files first, whatever order the folder gives its entries in.
  std::vector<std::vector<fs::path>> keys(layers.size()), companions(layers.size());
  const std::string key = LowerAscii(kLayerKeyExtension);
  for (auto& [path, type] : entries) {
    const std::string name = FileNameOf(path);
    for (std::size_t i = 0; i < layers.size(); ++i) {
      if (type == platform::EntryType::kFolder) {
        if (IsWrittenName(name, layers[i])) {
          return Refuse(refusal,
                        Tr("a folder stands where a layer file goes: %1", QuotedPath(path)));
        }
        continue;
      }
      if (const auto extension = FamilyExtensionOf(name, layers[i])) {
        (*extension == key ? keys : companions)[i].push_back(std::move(path));
        break;
      }
      if (IsLeftoverOf(name, layers[i])) {
        old.leftovers.push_back(std::move(path));
        break;
      }
    }
  }
  for (std::size_t i = 0; i < layers.size(); ++i) {
    if (keys[i].empty() && companions[i].empty()) continue;
    foundLayer = foundLayer || !keys[i].empty();
    std::vector<fs::path>& set = old.sets.emplace_back(std::move(keys[i]));
    set.insert(set.end(), companions[i].begin(), companions[i].end());
  }
  const bool moving = old.sets.size() > firstSet || old.leftovers.size() > firstLeftover;
  if (std::error_code why = system.CheckWritableFolder(folder)) {
    return Refuse(refusal,
                  (moving ? WhyNotMovable(old.sets.size() > firstSet ? old.sets[firstSet].front()
                                                                     : old.leftovers[firstLeftover],
                                          why)
                          : Tr("cannot write in the folder %1: %2", QuotedPath(folder),
                               SystemErrorText(why))));
  }
  return CheckMovable(system, old, firstSet, firstLeftover, refusal);
}

Outcome PlanOutputFolders(platform::FileSystem& system, const ResultFolders& folders,
                          std::string_view project, OutputPlan& plan) {
  const std::string& result = folders.given;
  platform::EntryType type = platform::EntryType::kMissing;
  if (std::error_code why = system.FollowedStatusOf(folders.result.path, type)) {
    return Failure(FolderFault::kResultFolderMissing, Tr("cannot use the result folder \"%1\": %2",
                                                         EchoPath(result), SystemErrorText(why)));
  }
  if (type == platform::EntryType::kMissing) {
    return Failure(FolderFault::kResultFolderMissing,
                   Tr("the result folder \"%1\" does not exist", EchoPath(result)));
  }
  if (type != platform::EntryType::kFolder) {
    return Failure(FolderFault::kResultFolderMissing,
                   Tr("the result folder \"%1\" is not a folder", EchoPath(result)));
  }
  // The old project goes first: it names the old layers.
  if (Outcome ready = PlanResultFolder(system, folders, project, plan); !ready.ok()) return ready;
  for (const LayerFolder folder : {LayerFolder::kHyps, LayerFolder::kFrame}) {
    if (Outcome ready = PlanFolder(system, folders, folder, plan); !ready.ok()) return ready;
  }
  return Success();
}

Outcome MakeOutputFolders(platform::FileSystem& system, const OutputPlan& plan, MadeFolders& made) {
  for (const fs::path& folder : plan.foldersToMake) {
    const std::error_code error = system.MakeFolder(folder);
    if (!error) {
      made.Add(folder);
      continue;
    }
    // Made by a run beside this one (on a folder inside this one's sub-folder, say).
    platform::EntryType type = platform::EntryType::kMissing;
    if (platform::IsTaken(error) && !system.FollowedStatusOf(folder, type) &&
        type == platform::EntryType::kFolder) {
      continue;
    }
    const bool hyps = FileNameOf(folder) == FolderName(LayerFolder::kHyps);
    return Failure(
        hyps ? FolderFault::kHypsFolder : FolderFault::kFrameFolder,
        Tr("cannot create the folder %1: %2", QuotedPath(folder), SystemErrorText(error)));
  }
  return Success();
}

}  // namespace mapbasis
