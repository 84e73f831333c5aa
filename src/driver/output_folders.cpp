#include "driver/output_folders.h"

#include <filesystem>
#include <span>
#include <string_view>
#include <utility>
#include <vector>
#include <system_error>

#include "driver/cp1251.h"
#include "driver/path_separator.h"
#include "driver/sheet_parameters.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// Layers of earlier runs, by lower-case name in the order they are cleared. The marker is the
// layer's shape file; when it is there, every file named after the layer, whatever its
// extension, goes.
constexpr std::string_view kGraticuleLayers[] = {"hypsa", "hypsl", "hypsp"};
constexpr std::string_view kFrameLayers[] = {"frame", "framedig", "frameadj"};

std::string LowerAscii(const fs::path& name) {
  const std::u8string u8 = name.u8string();
  std::string text(u8.begin(), u8.end());
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The files of the folder, lower-cased names beside their paths.
std::vector<std::pair<std::string, fs::path>> FilesOf(const fs::path& folder) {
  std::vector<std::pair<std::string, fs::path>> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) {
      files.emplace_back(LowerAscii(it->path().filename()), it->path());
    }
  }
  return files;
}

// Deletes the old layers of the table from the folder. Deletions that fail leave the files there.
void DeleteOldLayers(const fs::path& folder, std::span<const std::string_view> layers) {
  for (const std::string_view layer : layers) {
    const std::string stem(layer);
    const auto files = FilesOf(folder);
    bool marked = false;
    for (const auto& [name, path] : files) marked = marked || name == stem + ".shp";
    if (!marked) continue;
    for (const auto& [name, path] : files) {
      if (name == stem || name.starts_with(stem + ".")) {
        std::error_code ignored;
        fs::remove(path, ignored);
      }
    }
  }
}

// Makes sure one sub-folder exists as a folder; a new one holds no old layers.
bool PrepareFolder(std::string_view folder, std::span<const std::string_view> layers,
                   std::string& reason) {
  if (folder.size() > kPathLength) {
    reason = "the folder \"" + std::string(folder) + "\" would be longer than " +
             std::to_string(kPathLength) + " characters";
    return false;
  }
  const fs::path path = PathFromCp1251(folder);
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    if (!fs::create_directory(path, ec)) {
      reason = "cannot create the folder \"" + std::string(folder) + "\": " + ec.message();
      return false;
    }
    return true;
  }
  if (!fs::is_directory(path, ec)) {
    reason = "\"" + std::string(folder) + "\" exists but is not a folder";
    return false;
  }
  DeleteOldLayers(path, layers);
  return true;
}

}  // namespace

std::int32_t PATHPROCESS(std::string_view R, std::string& Path, std::string& FramePath,
                         std::string& reason) {
  const std::string result(R);  // R may be a view of Path itself
  Path = result + "HYPS";
  FramePath = result + "FRAME";
  std::error_code ec;
  if (!fs::exists(PathFromCp1251(result), ec)) {
    reason = "the result folder \"" + result + "\" does not exist";
    return kResultFolderMissing;
  }
  if (!PrepareFolder(Path, kGraticuleLayers, reason)) return kHypsFolderFailed;
  if (!PrepareFolder(FramePath, kFrameLayers, reason)) return kFrameFolderFailed;
  return kFoldersReady;
}

}  // namespace mapbasis
