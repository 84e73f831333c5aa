#include "driver/output_folders.h"

#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/path_separator.h"
#include "core/sheet_parameters.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// Layers of earlier runs, by lower-case name in the order they are cleared. The marker is the
// layer's shape file; when it is there, the files of its shapefile family go: the set itself and
// the indexes and metadata that would describe the old layer. Other files named like a layer stay.
constexpr std::string_view kGraticuleLayers[] = {"hypsa", "hypsl", "hypsp"};
constexpr std::string_view kFrameLayers[] = {"frame", "framedig", "frameadj"};
constexpr std::string_view kFamilyExtensions[] = {
    ".shp", ".shx", ".dbf", ".prj", ".cpg", ".sbn", ".sbx",     ".qix", ".fbn",
    ".fbx", ".ain", ".aih", ".atx", ".ixs", ".mxs", ".shp.xml", ".qpj", ".qml"};

std::string LowerAscii(const fs::path& name) {
  const std::u8string u8 = name.u8string();
  std::string text(u8.begin(), u8.end());
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool IsFamilyFile(std::string_view lowerName, std::string_view layer) {
  if (!lowerName.starts_with(layer)) return false;
  const std::string_view extension = lowerName.substr(layer.size());
  for (const std::string_view family : kFamilyExtensions) {
    if (extension == family) return true;
  }
  return false;
}

// The entries of the folder that are not folders (files and links, a link never followed), with
// their lower-cased names.
Outcome ListEntries(const fs::path& folder, std::vector<std::pair<std::string, fs::path>>& entries,
                    std::int32_t failure) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError) || it->is_symlink(typeError)) {
      entries.emplace_back(LowerAscii(it->path().filename()), it->path());
    }
  }
  if (ec) {
    return Failure(failure, "cannot read the folder \"" + EchoPath(DisplayPath(folder)) +
                                "\": " + ec.message());
  }
  return Success();
}

// Deletes the old layers of the table from the folder. A deletion that fails ends the preparation.
Outcome DeleteOldLayers(const fs::path& folder, std::span<const std::string_view> layers,
                        std::int32_t failure) {
  std::vector<std::pair<std::string, fs::path>> entries;
  if (Outcome listed = ListEntries(folder, entries, failure); !listed.ok()) return listed;
  for (const std::string_view layer : layers) {
    const std::string marker = std::string(layer) + ".shp";
    bool marked = false;
    for (const auto& [name, path] : entries) marked = marked || name == marker;
    if (!marked) continue;
    for (const auto& [name, path] : entries) {
      if (!IsFamilyFile(name, layer)) continue;
      std::error_code ec;
      // remove() takes a link away as a link, never what it points to.
      if (!fs::remove(path, ec) && ec) {
        return Failure(failure, "cannot delete the old layer file \"" +
                                    EchoPath(DisplayPath(path)) + "\": " + ec.message());
      }
    }
  }
  return Success();
}

// Makes sure one sub-folder exists as a folder; a new one holds no old layers.
Outcome PrepareFolder(std::string_view folder, std::span<const std::string_view> layers,
                      std::int32_t failure) {
  if (folder.size() > kPathLength) {
    return Failure(failure, "the folder \"" + EchoPath(folder) + "\" would be longer than " +
                                std::to_string(kPathLength) + " characters");
  }
  const fs::path path = PathFromCp1251(folder);
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    if (!fs::create_directory(path, ec)) {
      return Failure(failure,
                     "cannot create the folder \"" + EchoPath(folder) + "\": " + ec.message());
    }
    return Success();
  }
  if (!fs::is_directory(path, ec)) {
    return Failure(failure, "\"" + EchoPath(folder) + "\" exists but is not a folder");
  }
  return DeleteOldLayers(path, layers, failure);
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

Outcome PATHPROCESS(std::string_view R, std::string& Path, std::string& FramePath) {
  const std::string result(R);  // R may be a view of Path itself
  Path = result + "HYPS";
  FramePath = result + "FRAME";
  std::error_code ec;
  if (!fs::exists(PathFromCp1251(result), ec)) {
    return Failure(kResultFolderMissing,
                   "the result folder \"" + EchoPath(result) + "\" does not exist");
  }
  if (Outcome ready = PrepareFolder(Path, kGraticuleLayers, kHypsFolderFailed); !ready.ok()) {
    return ready;
  }
  return PrepareFolder(FramePath, kFrameLayers, kFrameFolderFailed);
}

}  // namespace mapbasis
