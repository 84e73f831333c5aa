// Putting a sheet in place, proved in process against a file system that fails: for a new sheet,
// a rewrite in which every layer changes and a rewrite in which some stand unchanged, each call
// of the run fails in turn, once or from then on, with one of the errors a disk gives. Whatever
// fails, the folder ends as the run says: the new sheet when it succeeds, the earlier one byte for
// byte when it fails (nothing left over unless the outcome names it), and at every instant in
// between, after each call that changes the folders, every layer is whole, all of one version, or
// without its .shp. A run killed there would leave just that.
#include "publish/publish_sheet.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "platform/files.h"
#include "publish/file_replacement.h"
#include "publish/folder_fault.h"
#include "publish/result_folder.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_files.h"
#include "support/failing_file_system.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

namespace fs = std::filesystem;
using testing::FailingFileSystem;
using testing::TempDir;

constexpr std::string_view kProject = "mapbasis.qgs";
constexpr std::string_view kFolderMark = "<folder>";

// What stands below a folder: each entry's path from there, with its bytes ("<folder>" for a
// folder).
using Tree = std::map<std::string, std::string>;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Below(const fs::path& path, const fs::path& root) {
  return path.lexically_relative(root).generic_string();
}

Tree TreeOf(const fs::path& root) {
  Tree tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    tree[Below(entry.path(), root)] =
        entry.is_directory() ? std::string(kFolderMark) : Read(entry.path());
  }
  return tree;
}

bool IsHidden(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  return name.starts_with(platform::kTemporaryPrefix);
}

// The tree without the hidden files a stopped or failed run leaves.
Tree Visible(Tree tree) {
  std::erase_if(tree, [](const auto& entry) { return IsHidden(entry.first); });
  return tree;
}

// A sheet's files as a run makes them: each layer's companions, then its .shp; the project last.
// Every file holds its own name and the sheet's version; the layers in `kept` hold version "A"
// whatever the sheet's, as a layer made again unchanged does.
FileSets SheetFiles(const ResultFolders& folders, std::string_view version,
                    std::initializer_list<SheetLayer> layers,
                    std::initializer_list<SheetLayer> kept = {}) {
  FileSets files;
  for (const SheetLayer id : layers) {
    const LayerSpec& layer = LayerOf(id);
    const std::string made = std::find(kept.begin(), kept.end(), id) != kept.end()
                                 ? std::string("A")
                                 : std::string(version);
    FileSet& set = files.emplace_back();
    const auto add = [&](std::string_view extension) {
      const std::string name = std::string(layer.name) + std::string(extension);
      set.push_back({folders.Of(layer.folder).path / name, name + " of sheet " + made});
    };
    for (const std::string_view companion : kLayerCompanionExtensions) add(companion);
    add(kLayerKeyExtension);
  }
  files.push_back({{folders.result.path / kProject,
                    std::string(kProject) + " of sheet " + std::string(version)}});
  return files;
}

void WriteFile(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

constexpr std::initializer_list<SheetLayer> kAllLayers = {
    SheetLayer::HypsA, SheetLayer::HypsP,    SheetLayer::HypsL,
    SheetLayer::Frame, SheetLayer::FrameAdj, SheetLayer::FrameDig};
// At 1:500 000: no FrameAdj.
constexpr std::initializer_list<SheetLayer> kNoAdjacent = {SheetLayer::HypsA, SheetLayer::HypsP,
                                                           SheetLayer::HypsL, SheetLayer::Frame,
                                                           SheetLayer::FrameDig};

// The earlier sheet of a rewrite, A with every layer, and besides it what other programs and
// runs leave: a code page file of a layer's family, and a stopped run's old file moved aside.
void WriteEarlierSheet(const ResultFolders& folders) {
  for (const FileSet& set : SheetFiles(folders, "A", kAllLayers)) {
    for (const PendingFile& file : set) WriteFile(file.path, file.bytes);
  }
  WriteFile(folders.hyps.path / "HypsA.cpg", "1251");
  WriteFile(folders.hyps.path / ".mapbasis-HypsP.shp.old", "HypsP.shp of a stopped run");
  WriteFile(folders.result.path / "notes.txt", "not ours");
}

struct Scenario {
  const char* name;
  const char* folder;  // the result folder below the test's folder
  bool earlier;        // whether the earlier sheet stands there
  FileSets (*sheet)(const ResultFolders& folders);
};

const Scenario kScenarios[] = {
    {"a new sheet, its result folder made with the folders above it", "made/for/out", false,
     [](const ResultFolders& f) { return SheetFiles(f, "B", kNoAdjacent); }},
    {"a rewrite in another coordinate system: every layer changes", "out", true,
     [](const ResultFolders& f) { return SheetFiles(f, "B", kNoAdjacent); }},
    {"a rewrite in which three layers stand unchanged", "out", true,
     [](const ResultFolders& f) {
       return SheetFiles(f, "C", kAllLayers,
                         {SheetLayer::HypsP, SheetLayer::Frame, SheetLayer::FrameAdj});
     }},
};

// The files of each layer (and of the project) in a tree: the layer's name in its folder, and
// the entries of its family (hidden files left out).
std::map<std::string, Tree> LayersOf(const Tree& tree) {
  std::map<std::string, Tree> layers;
  for (const auto& [path, bytes] : tree) {
    if (IsHidden(path) || bytes == kFolderMark) continue;
    const fs::path file(path);
    const std::string name = file.filename().string();
    if (name == kProject) layers[path] = {{path, bytes}};
    for (const LayerSpec& layer : LayerCatalogue()) {
      if (name.starts_with(std::string(layer.name) + ".")) {
        layers[(file.parent_path() / std::string(layer.name)).generic_string()][path] = bytes;
      }
    }
  }
  return layers;
}

// The files of one layer (its folder and name, or the project's path) in a tree.
Tree FilesOf(const std::string& layer, const Tree& tree) {
  Tree files;
  const bool project = layer.ends_with(kProject);
  const std::string prefix = project ? layer : layer + ".";
  for (auto entry = tree.lower_bound(prefix); entry != tree.end(); ++entry) {
    if (!entry->first.starts_with(prefix)) break;
    if (project ? entry->first == layer
                : entry->first.find('/', prefix.size()) == std::string::npos) {
      if (entry->second != kFolderMark) files.insert(*entry);
    }
  }
  return files;
}

// Whether the layer named `layer` (its folder and name, or the project's path) is whole in
// `now`: without its key, or every file of its family as in one of the versions.
std::string WhyNotWhole(const std::string& layer, const Tree& now,
                        const std::map<std::string, Tree>& before,
                        const std::map<std::string, Tree>& after) {
  const Tree held = FilesOf(layer, now);
  const bool project = layer.ends_with(kProject);
  if (held.empty() || (!project && !held.contains(layer + std::string(kLayerKeyExtension)))) {
    return {};
  }
  for (const auto* version : {&before, &after}) {
    const auto same = version->find(layer);
    if (same != version->end() && same->second == held) return {};
  }
  std::string why = layer + " is neither the earlier nor the new one:";
  for (const auto& [path, bytes] : held) why += " " + path + "=\"" + bytes + "\"";
  return why;
}

// The layers a call may change: those named by its path and a rename's old name, hidden or not.
std::vector<std::string> LayersTouched(const FailingFileSystem::Call& call, const fs::path& root) {
  std::vector<std::string> touched;
  for (const fs::path* path : {call.path, call.from}) {
    if (path == nullptr) continue;
    std::string name = path->filename().string();
    if (name.starts_with(platform::kTemporaryPrefix)) {
      name.erase(0, platform::kTemporaryPrefix.size());
    }
    const fs::path folder = path->parent_path().lexically_relative(root);
    if (name.starts_with(kProject)) touched.push_back((folder / kProject).generic_string());
    for (const LayerSpec& layer : LayerCatalogue()) {
      if (name.starts_with(std::string(layer.name) + ".")) {
        touched.push_back((folder / std::string(layer.name)).generic_string());
      }
    }
  }
  return touched;
}

// What the folder holds as the calls that went through have left it, followed call by call
// without reading the disk again (and compared with the disk when the run ends).
void Follow(Tree& tree, const FailingFileSystem::Call& call, const fs::path& root) {
  const std::string path = Below(*call.path, root);
  if (call.what == "create") {
    tree[path].clear();
  } else if (call.what == "write") {
    tree[path] += call.bytes;
  } else if (call.what == "rename") {
    const std::string from = Below(*call.from, root);
    tree[path] = tree[from];
    tree.erase(from);
  } else if (call.what == "remove" || call.what == "remove folder") {
    tree.erase(path);
  } else if (call.what == "make folder") {
    tree[path] = kFolderMark;
  }
}

// Where the runs make and remove their thousands of files: in memory where the system has a
// folder there (a disk file system may take many times longer over so many files made and
// removed, ext4 without a journal above all).
fs::path ScratchFolder() {
  const fs::path memory = "/dev/shm";
  platform::EntryType type = platform::EntryType::kMissing;
  if (!platform::FollowedStatusOf(memory, type) && type == platform::EntryType::kFolder &&
      !platform::CheckWritableFolder(memory)) {
    return memory;
  }
  return {};
}

// One run of the scenario in a fresh folder, with the file system failing as `system` is told.
struct SheetRun {
  TempDir dir{"publish", ScratchFolder()};
  ResultFolders folders;
  FileSets files;
  Tree before;

  explicit SheetRun(const Scenario& scenario) {
    folders = ResultFoldersOf(*Cp1251FromPath(dir.path()) + platform::kPathSeparator +
                              scenario.folder + platform::kPathSeparator);
    if (scenario.earlier) WriteEarlierSheet(folders);
    files = scenario.sheet(folders);
    before = TreeOf(dir.path());
  }

  Published Publish(platform::FileSystem& system) {
    return PublishSheet(system, folders, kProject, files);
  }
};

// Each call of a run fails in turn, once and from then on; the errors take turns.
TEST(PublishSheet, EveryCallThatFailsLeavesTheEarlierSheetOrTheNewOne) {
  const std::error_code kErrors[] = {std::make_error_code(std::errc::io_error),
                                     std::make_error_code(std::errc::no_space_on_device),
                                     std::make_error_code(std::errc::device_or_resource_busy),
                                     std::make_error_code(std::errc::permission_denied)};
  for (const Scenario& scenario : kScenarios) {
    SCOPED_TRACE(scenario.name);
    // The run that nothing disturbs: what the folder holds after it, and how many calls it makes.
    std::size_t calls = 0;
    Tree done;
    {
      SheetRun run(scenario);
      FailingFileSystem system;
      const Published published = run.Publish(system);
      ASSERT_TRUE(published.outcome.ok()) << published.outcome.reason;
      EXPECT_EQ(published.replacedOldLayers, scenario.earlier);
      calls = system.Calls();
      done = TreeOf(run.dir.path());
      // The new sheet stands, the rest of the folder as it was, and nothing hidden is left.
      for (const FileSet& set : scenario.sheet(run.folders)) {
        for (const PendingFile& file : set) {
          EXPECT_EQ(done[Below(file.path, run.dir.path())], file.bytes);
        }
      }
      EXPECT_EQ(done.count("out/notes.txt"), scenario.earlier ? 1u : 0u);
      EXPECT_EQ(Visible(done), done);
    }
    ASSERT_GT(calls, 50u);

    const auto later = LayersOf(done);
    const auto earlier = LayersOf(SheetRun(scenario).before);
    for (std::size_t n = 1; n <= calls; ++n) {
      for (const bool persistent : {false, true}) {
        const std::error_code error = kErrors[(2 * n + persistent) % std::size(kErrors)];
        const std::string what = "call " + std::to_string(n) + " of " + std::to_string(calls) +
                                 (persistent ? " and every later one" : "") + " fails with " +
                                 error.message();
        SCOPED_TRACE(what);
        SheetRun run(scenario);
        FailingFileSystem system;
        system.FailAt(n, error, persistent);
        // After each call that went through, every layer it touched is whole or without its key.
        Tree now = run.before;
        std::string broken;  // the first instant at which one was not
        system.after = [&](const FailingFileSystem::Call& call, const std::error_code& failed) {
          if (failed || !call.changes) return;
          Follow(now, call, run.dir.path());
          for (const std::string& layer : LayersTouched(call, run.dir.path())) {
            if (!broken.empty()) break;
            if (std::string why = WhyNotWhole(layer, now, earlier, later); !why.empty()) {
              broken = "after call " + std::to_string(call.number) + " (" + std::string(call.what) +
                       " " + call.path->string() + "): " + why;
            }
          }
        };
        const Published published = run.Publish(system);
        ASSERT_GT(system.Failed(), 0u) << "the fault was not reached";
        EXPECT_EQ(broken, "");
        const Tree left = TreeOf(run.dir.path());
        ASSERT_EQ(left, now) << "the calls followed are not what the disk holds";
        const Outcome& outcome = published.outcome;
        if (outcome.ok()) {
          EXPECT_EQ(left, done);
          continue;
        }
        // One line says why, naming what the run leaves that was not there: a folder it made
        // that could not be taken away again, a hidden file it could not remove.
        EXPECT_EQ(outcome.reason.find('\n'), std::string::npos);
        const auto named = [&](const std::string& path) {
          return outcome.reason.find((run.dir.path() / path).string()) != std::string::npos;
        };
        std::vector<std::string> stayed, hidden;
        for (const auto& [path, bytes] : left) {
          if (run.before.contains(path)) continue;
          if (bytes == kFolderMark) stayed.push_back(path);
          if (IsHidden(path)) hidden.push_back(path);
        }
        const bool folderStayed = !stayed.empty();
        EXPECT_TRUE(!folderStayed || std::any_of(stayed.begin(), stayed.end(), named))
            << outcome.reason;
        // (An undoing that failed says that hidden files stay, without naming them all.)
        EXPECT_TRUE(hidden.empty() || outcome.fault == PublishFault::kNotUndone ||
                    std::any_of(hidden.begin(), hidden.end(), named))
            << outcome.reason;
        // A refusal is a folder that cannot take the sheet, or an old file that cannot be moved
        // aside, when nothing was changed.
        EXPECT_EQ(published.refused, !folderStayed && (outcome.fault.As<FolderFault>() ||
                                                       outcome.fault == PublishFault::kOldNotMoved))
            << outcome.reason;
        if (outcome.fault == PublishFault::kNotSwept) {
          // The new sheet stands; the old file that could not be removed is named.
          EXPECT_EQ(Visible(left), Visible(done)) << outcome.reason;
        } else if (outcome.fault == PublishFault::kNotUndone) {
          // Undoing failed too: every layer is whole or without its key (checked above), and
          // what could not be put back lies hidden beside it.
          for (const auto& [layer, held] : LayersOf(left)) {
            EXPECT_EQ(WhyNotWhole(layer, left, earlier, later), "") << outcome.reason;
          }
        } else if (folderStayed) {
          // The earlier sheet stands; a folder the run made stays, named.
          Tree without = left;
          std::erase_if(without, [&](const auto& entry) {
            return entry.second == kFolderMark && !run.before.contains(entry.first);
          });
          EXPECT_EQ(without, run.before) << outcome.reason;
        } else {
          EXPECT_EQ(left, run.before) << outcome.reason;
        }
      }
    }
  }
}

}  // namespace
}  // namespace mapbasis
