#include "driver/output_folders.h"

#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/cp1251.h"
#include "core/path_separator.h"
#include "core/sheet_parameters.h"

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
Outcome PrepareFolder(std::string_view folder, std::span<const std::string_view> layers,
                      std::int32_t failure) {
  if (folder.size() > kPathLength) {
    return Failure(failure, "the folder \"" + std::string(folder) + "\" would be longer than " +
                                std::to_string(kPathLength) + " characters");
  }
  const fs::path path = PathFromCp1251(folder);
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    if (!fs::create_directory(path, ec)) {
      return Failure(failure,
                     "cannot create the folder \"" + std::string(folder) + "\": " + ec.message());
    }
    return Success();
  }
  if (!fs::is_directory(path, ec)) {
    return Failure(failure, "\"" + std::string(folder) + "\" exists but is not a folder");
  }
  DeleteOldLayers(path, layers);
  return Success();
}

}  // namespace

Outcome PATHPROCESS(std::string_view R, std::string& Path, std::string& FramePath) {
  const std::string result(R);  // R may be a view of Path itself
  Path = result + "HYPS";
  FramePath = result + "FRAME";
  std::error_code ec;
  if (!fs::exists(PathFromCp1251(result), ec)) {
    return Failure(kResultFolderMissing, "the result folder \"" + result + "\" does not exist");
  }
  if (Outcome ready = PrepareFolder(Path, kGraticuleLayers, kHypsFolderFailed); !ready.ok()) {
    return ready;
  }
  return PrepareFolder(FramePath, kFrameLayers, kFrameFolderFailed);
}

}  // namespace mapbasis
