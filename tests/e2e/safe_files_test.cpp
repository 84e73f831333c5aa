// The batch program against a hostile or unlucky disk: planted links, a disk that fills up, many
// runs on one folder, refusals that must leave the disk as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include "core/cp1251.h"
#include "support/held_call.h"
#include "support/layer_consistency.h"
#include "support/run_process.h"
#include "support/temp_dir.h"
#include "support/wait_for.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::HeldCall;
using testing::LayerInconsistency;
using testing::MapbasisExe;
using testing::ProcessOptions;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;
using testing::WaitFor;

const char* const kLayers[] = {"HYPS/HypsA", "HYPS/HypsP", "HYPS/HypsL"};

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

ProcessResult RunIn(const fs::path& cwd, const std::string& params, long long fileSizeLimit = -1) {
  return RunProcess({MapbasisExe(), params}, ProcessOptions{cwd.string(), fileSizeLimit});
}

// Every file below a folder with its bytes: a refused run must leave it exactly so.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(e.path(), folder).string();
    files[name] = e.is_symlink()        ? "-> " + fs::read_symlink(e.path()).string()
                  : e.is_regular_file() ? Read(e.path())
                                        : "folder";
  }
  return files;
}

// A sheet made again: a layer whose files stand there exactly as the run would write them, under
// exactly their names, is left as it is (its files keep their inodes); any difference in a layer's
// family (a byte, a file more, a link) has the whole family replaced.
TEST(SafeFiles, WhatStandsThereAlreadyIsLeftAsItIs) {
  const auto inode = [](const fs::path& file) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 ? st.st_ino : 0;
  };
  const struct Case {
    const char* what;
    std::function<void(const fs::path& out)> change;  // done to the earlier sheet
    std::set<std::string> replaced;                   // the layers whose files are new
  } cases[] = {
      {"nothing changed", [](const fs::path&) {}, {}},
      {"a byte of a style",
       [](const fs::path& out) { Write(out / "HYPS/HypsA.qml", "mine"); },
       {"HYPS/HypsA"}},
      {"a companion more",
       [](const fs::path& out) { Write(out / "HYPS/HypsP.cpg", "1251"); },
       {"HYPS/HypsP"}},
      {"a link to the same bytes",
       [](const fs::path& out) {
         fs::rename(out / "HYPS/HypsL.dbf", out / "elsewhere.dbf");
         fs::create_symlink(out / "elsewhere.dbf", out / "HYPS/HypsL.dbf");
       },
       {"HYPS/HypsL"}},
      {"another coordinate system",
       [](const fs::path&) {},
       {"HYPS/HypsA", "HYPS/HypsP", "HYPS/HypsL"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    Write(dir / "p.txt", "Nom=N-37-XIV;Path=out;");
    ASSERT_EQ(RunIn(dir.path(), "p.txt").exitStatus, 0);
    c.change(dir / "out");
    std::map<std::string, ino_t> before;
    for (const auto& e : fs::recursive_directory_iterator(dir / "out")) {
      before[e.path().string()] = inode(e.path());
    }
    if (c.replaced.size() == 3) Write(dir / "p.txt", "Nom=N-37-XIV;Path=out;CS=CK-95;");
    const ProcessResult r = RunIn(dir.path(), "p.txt");
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    for (const char* layer : kLayers) {
      for (const char* extension : {".shp", ".shx", ".dbf", ".PRJ", ".qml"}) {
        const fs::path file = dir / "out" / (std::string(layer) + extension);
        SCOPED_TRACE(file.string());
        ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
        EXPECT_EQ(inode(file) != before[file.string()], c.replaced.count(layer) == 1);
      }
      EXPECT_EQ(LayerInconsistency(dir / "out" / layer), "");
    }
    EXPECT_FALSE(fs::exists(dir / "out/HYPS/HypsP.cpg"));
    EXPECT_NE(Read(dir / "out/HYPS/HypsA.qml"), "mine");
  }
}

TEST(SafeFiles, LinksWhereLayerFilesGoAreReplacedNeverFollowed) {
  TempDir dir;
  fs::create_directories(dir / "out/HYPS");
  Write(dir / "precious.txt", "precious");
  // A link where a table goes, one where the marker of an old layer stands, and a dangling one.
  fs::create_symlink(dir / "precious.txt", dir / "out/HYPS/HypsA.dbf");
  fs::create_symlink(dir / "precious.txt", dir / "out/HYPS/HypsP.shp");
  fs::create_symlink(dir / "created-outside", dir / "out/HYPS/HypsL.shx");
  // A link where a temporary file goes, as a stopped run or a hostile user could leave it.
  fs::create_symlink(dir / "precious.txt", dir / "out/HYPS/.mapbasis-HypsA.shp.tmp");
  Write(dir / "p.txt", "Nom=N-37-XIV;Path=out;");

  const ProcessResult r = RunIn(dir.path(), "p.txt");
  ASSERT_EQ(r.exitStatus, 0) << r.err;
  EXPECT_EQ(Read(dir / "precious.txt"), "precious");
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "created-outside")));
  for (const char* layer : kLayers) {
    SCOPED_TRACE(layer);
    for (const char* ext : {".shp", ".shx", ".dbf", ".PRJ"}) {
      fs::path file = dir / "out" / layer;
      file += ext;
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file))) << file;
    }
    EXPECT_EQ(LayerInconsistency(dir / "out" / layer), "");
  }
}

// A disk that fills up half-way: a new sheet leaves nothing, a rewrite the old sheet as it was.
TEST(SafeFiles, ADiskThatFillsUpLeavesNothingHalfMade) {
  for (const bool rewrite : {false, true}) {
    SCOPED_TRACE(rewrite ? "rewrite" : "new sheet");
    TempDir dir;
    if (rewrite) {
      Write(dir / "old.txt", "Nom=N-37-XV;Path=out;MapScale=500;");
      ASSERT_EQ(RunIn(dir.path(), "old.txt").exitStatus, 0);
    } else {
      fs::create_directories(dir / "out");
    }
    Write(dir / "p.txt", "Nom=N-37-XIV;Path=out;");
    const auto before = Snapshot(dir / "out");
    // HypsA's files fit; HypsP's table (81 records) does not.
    const ProcessResult r = RunIn(dir.path(), "p.txt", 3000);
    EXPECT_EQ(r.exitStatus, 16);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_TRUE(Snapshot(dir / "out") == before);
  }
}

TEST(SafeFiles, RunsOnOneFolderNeverInterleave) {
  TempDir dir;
  // Two sheets of different sizes, so interleaved files would disagree.
  Write(dir / "a.txt", "Nom=N-37-XIV;Path=out;");
  Write(dir / "b.txt", "Nom=N-37;Path=out;");
  std::vector<ProcessResult> results(20);
  std::vector<std::thread> runs;
  for (std::size_t i = 0; i < results.size(); ++i) {
    runs.emplace_back([&, i] { results[i] = RunIn(dir.path(), i % 2 ? "a.txt" : "b.txt"); });
  }
  for (auto& run : runs) run.join();
  for (const auto& r : results) EXPECT_EQ(r.exitStatus, 0) << r.err;
  for (const char* layer : kLayers) EXPECT_EQ(LayerInconsistency(dir / "out" / layer), "") << layer;
}

// The lines of /proc/locks on the folder: "1: FLOCK  ADVISORY  WRITE 4242 00:2a:1234 0 EOF" for
// the lock held, "1: -> FLOCK  ADVISORY  WRITE 4243 00:2a:1234 0 EOF" for a run waiting for it.
std::vector<std::string> LocksOn(const fs::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return {};
  const std::string inode = ":" + std::to_string(info.st_ino);
  std::vector<std::string> locks;
  std::ifstream table("/proc/locks");
  for (std::string line; std::getline(table, line);) {
    std::istringstream words(line);
    for (std::string word; words >> word;) {
      if (std::count(word.begin(), word.end(), ':') == 2 && word.ends_with(inode)) {
        locks.push_back(line);
      }
    }
  }
  return locks;
}

// The earlier run stopped halfway through putting its layers in place: the later run waits for
// its lock, and then replaces the whole sheet.
TEST(SafeFiles, ALaterRunWaitsForTheEarlierOne) {
  if (!fs::exists("/proc/locks")) GTEST_SKIP() << "needs /proc/locks";
  TempDir dir;
  Write(dir / "a.txt", "Nom=N-37-XIV;Path=out;");
  Write(dir / "b.txt", "Nom=N-37;Path=out;");
  fs::create_directory(dir / "out");
  const HeldCall rename(dir / "marks", "out/HYPS/HypsP.shp");
  ProcessOptions options{dir.path().string()};
  options.env = rename.env();
  std::atomic<bool> earlierEnded = false, laterEnded = false;
  ProcessResult earlier, later;
  std::thread first([&] {
    earlier = RunProcess({MapbasisExe(), "a.txt"}, options);
    earlierEnded = true;
  });
  const bool stopped = rename.WaitUntilHeld([&] { return earlierEnded.load(); });
  std::thread second([&] {
    later = RunIn(dir.path(), "b.txt");
    laterEnded = true;
  });
  const auto waiting = [&] {
    const auto locks = LocksOn(dir / "out");
    return std::any_of(locks.begin(), locks.end(),
                       [](const std::string& l) { return l.find("->") != std::string::npos; });
  };
  const bool waited = stopped && WaitFor([&] { return waiting() || laterEnded; }) && !laterEnded;
  rename.Release();
  first.join();
  second.join();
  ASSERT_TRUE(stopped) << "the earlier run never put HypsP.shp in place: " << earlier.err;
  EXPECT_TRUE(waited) << "the later run did not wait for the earlier one";
  EXPECT_EQ(earlier.exitStatus, 0) << earlier.err;
  EXPECT_EQ(later.exitStatus, 0) << later.err;
  for (const char* layer : kLayers) EXPECT_EQ(LayerInconsistency(dir / "out" / layer), "") << layer;
  // N-37's nodes, not N-37-XIV's: 15' x 10' over 6 x 4 degrees.
  const auto nodes = Read(dir / "out/HYPS/HypsP.dbf");
  ASSERT_GE(nodes.size(), 8u);
  EXPECT_EQ(static_cast<unsigned char>(nodes[4]) | static_cast<unsigned char>(nodes[5]) << 8,
            25 * 25);
}

TEST(SafeFiles, RefusedRunsLeaveTheDiskAsItWas) {
  TempDir dir;
  Write(dir / "good.txt", "Nom=N-37-XIV;Path=out;");
  ASSERT_EQ(RunIn(dir.path(), "good.txt").exitStatus, 0);
  fs::create_directory_symlink("out", dir / "lnk");
  const std::string longFolder(242, 'x');  // FRAME/FrameDig would make 256
  const struct {
    const char* what;
    std::string params;
    int status;
  } cases[] = {
      {"more meridians than a sheet holds",
       "Nom=N-37-XIV;Path=out;xFrom=36 01;xTo=38 59;MeridianStep=0 01;", 16},
      {"an inverted trapezoid", "Nom=N-37-XIV;Path=out;xFrom=38;xTo=37;", 8},
      {"a trapezoid of no width", "Nom=N-37-XIV;Path=out;xTo=37;", 8},
      {"a south edge beyond the north edge", "Nom=N-37-XIV;Path=out;yFrom=95;", 8},
      {"a result folder too long for its layer files", "Nom=N-37-XIV;Path=" + longFolder + ";", 8},
      {"text beyond a line's 1000th character",
       "Nom=N-37-XIV;Path=new;" + std::string(1000, ' ') + "xFrom=37 30;", 8},
      // Parsed edges and computed base edges differ in their last bits: within the angle tolerance
      // they are one edge, and the trapezoid is empty.
      {"a north edge on the sheet's own south edge", "Nom=Q-38-VII;Path=out;yTo=66 40;", 8},
      {"an east edge on the sheet's own west edge", "Nom=N-37-XIV;Path=out;xTo=37 00;", 8},
      {"a NUL in the result folder", std::string("Nom=N-37-XIV;Path=lnk\0/x;", 26), 8},
      {"a tab in the result folder", "Nom=N-37-XIV;Path=out/a\tb;", 8},
      // 130 Cyrillic letters are 260 bytes in UTF-8, more than a name may hold.
      {"a part of the result folder too long for a name",
       "Nom=N-37-XIV;Path=newparent/sub/" + std::string(130, '\xE6') + ";", 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Write(dir / "bad.txt", c.params);
    const auto before = Snapshot(dir.path());
    const ProcessResult r = RunIn(dir.path(), "bad.txt");
    EXPECT_EQ(r.exitStatus, c.status) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("mapbasis: bad.txt", 0), 0u) << r.err;
    EXPECT_TRUE(Snapshot(dir.path()) == before);
  }
}

// What the run changed in the folders: the calls that add, move or remove an entry and succeeded,
// one a line, as strace saw them; nothing when there is no strace to see them.
std::string ChangesMadeBy(const fs::path& cwd, const std::string& params) {
  if (!fs::exists("/usr/bin/strace")) return RunIn(cwd, params).exitStatus == 8 ? "" : "not 8";
  TempDir traces;
  const fs::path trace = traces / "trace";
  const ProcessResult r = RunProcess(
      {"/usr/bin/strace", "-f", "-qq", "-o", trace.string(), "-E", "ASAN_OPTIONS=detect_leaks=0",
       "-e", "trace=rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat,rmdir,link,linkat",
       MapbasisExe(), params},
      ProcessOptions{cwd.string()});
  std::string changes = r.exitStatus == 8 ? "" : "ended with " + std::to_string(r.exitStatus);
  std::istringstream lines(Read(trace));
  for (std::string line; std::getline(lines, line);) {
    if (line.ends_with(" = 0")) changes += line + "\n";
  }
  return changes;
}

// A sub-folder that cannot be used, or an old layer that cannot be removed whole, refuses the run
// before anything is touched: not a file moved, not a folder made, even for a moment.
TEST(SafeFiles, FoldersThatCannotBeUsedChangeNothing) {
  const bool root = ::geteuid() == 0 && fs::exists("/usr/bin/chattr");
  const auto chattr = [](const char* flag, const fs::path& file) {
    return ::system(("/usr/bin/chattr " + std::string(flag) + " '" + file.string() + "'").c_str());
  };
  // What stands where a sub-folder or an old layer file is: a file, a link to nothing, or (for
  // root, with chattr) an immutable file that cannot be deleted.
  const struct {
    const char *what, *at, *says;
  } cases[] = {
      {"file", "FRAME", "exists but is not a folder"},
      {"link", "FRAME", "a link to no folder"},
      {"immutable", "HYPS/HypsA.shp", "HypsA.shp"},
      {"immutable", "FRAME/FrameDig.dbf", "FrameDig.dbf"},
      // A file of the family that the program does not write, after every .shp in the listing.
      {"immutable", "HYPS/HypsP.sbn", "HypsP.sbn"},
      {"immutable", "mapbasis.qgs", "mapbasis.qgs"},
  };
  for (const auto& c : cases) {
    const std::string what = c.what;
    SCOPED_TRACE(what + " " + c.at);
    if (what == "immutable" && !root) continue;
    TempDir dir;
    Write(dir / "p.txt", "Nom=N-37-XIV;Path=out;");
    ASSERT_EQ(RunIn(dir.path(), "p.txt").exitStatus, 0);
    Write(dir / "out/HYPS/.mapbasis-HypsL.dbf.tmp", "stale");
    const fs::path at = dir / "out" / c.at;
    if (what == "immutable") {
      if (!fs::exists(at)) Write(at, "a spatial index");
      chattr("+i", at);
    } else {
      fs::remove_all(at);
      if (what == "file") Write(at, "x");
      if (what == "link") fs::create_symlink("gone", at);
    }
    const auto before = Snapshot(dir.path());
    EXPECT_EQ(ChangesMadeBy(dir.path(), "p.txt"), "");
    const ProcessResult r = RunIn(dir.path(), "p.txt");
    EXPECT_EQ(r.exitStatus, 8);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_TRUE(Snapshot(dir.path()) == before);
    for (const auto& e : fs::recursive_directory_iterator(dir.path())) {
      if (!e.is_symlink()) chattr("-i", e.path());
    }
  }
}

// Two runs at once, one on a folder and one on a folder inside its HYPS (or FRAME): the sub-folder
// may appear between the first run's check and its creation, which is no failure. The first run
// is stopped at its mkdir of the sub-folder while the second makes it.
TEST(SafeFiles, AFolderMadeByARunBesideIsNoFailure) {
  for (const char* sub : {"HYPS", "FRAME"}) {
    SCOPED_TRACE(sub);
    TempDir dir;
    Write(dir / "outer.txt", "Nom=N-37-XIV;Path=XX/;");
    Write(dir / "inner.txt", "Nom=N-37-XIV;Path=XX/" + std::string(sub) + "/inner/;");
    const HeldCall mkdir(dir / "marks", "XX/" + std::string(sub));
    ProcessOptions options{dir.path().string()};
    options.env = mkdir.env();
    std::atomic<bool> outerEnded = false;
    ProcessResult outer;
    std::thread held([&] {
      outer = RunProcess({MapbasisExe(), "outer.txt"}, options);
      outerEnded = true;
    });
    const bool stopped = mkdir.WaitUntilHeld([&] { return outerEnded.load(); });
    const ProcessResult inner = RunIn(dir.path(), "inner.txt");
    mkdir.Release();
    held.join();
    ASSERT_TRUE(stopped) << "the first run never made " << sub << ": " << outer.err;
    EXPECT_EQ(mkdir.Outcome(), EEXIST) << "the second run did not make the folder first";
    EXPECT_EQ(inner.exitStatus, 0) << inner.err;
    EXPECT_EQ(outer.exitStatus, 0) << outer.err;
    for (const char* layer : kLayers) {
      EXPECT_EQ(LayerInconsistency(dir / "XX" / layer), "") << layer;
    }
  }
}

// Whatever ends the run, it ends with 0, 8 or 16 and at most one line.
TEST(SafeFiles, AClosedStderrDoesNotChangeTheStatus) {
  TempDir dir;
  Write(dir / "bad.txt", "Nom=N-37-XIV;Path=out;MapScal=200;");
  ProcessOptions options{dir.path().string()};
  options.closedStderr = true;
  EXPECT_EQ(RunProcess({MapbasisExe(), "bad.txt"}, options).exitStatus, 8);
}

// Memory running out at any allocation of a rewrite: the run still ends with its own status and
// one line, and leaves the old sheet as it was; once the generation has begun, the status is 16.
// A preloaded library makes the n-th allocation fail. It replaces the shared C++ runtime's
// allocator, which the sanitized build uses; the plain build on Linux carries a runtime of its own,
// which nothing preloaded replaces, and skips the test.
TEST(SafeFiles, RunningOutOfMemoryEndsWithOneLine) {
  TempDir dir;
  Write(dir / "old.txt", "Nom=N-37-XV;Path=out;MapScale=500;");
  ASSERT_EQ(RunIn(dir.path(), "old.txt").exitStatus, 0);
  const auto before = Snapshot(dir / "out");
  Write(dir / "p.txt", "Nom=N-37-XIV;Path=out;");
  // A sanitized build: the preloaded allocator comes first, and a run cut short may leak.
  ProcessOptions options{dir.path().string()};
  options.env = {"LD_PRELOAD=" MAPBASIS_FAILING_NEW, "MAPBASIS_FAIL_NEW_AT=",
                 "ASAN_OPTIONS=verify_asan_link_order=0:alloc_dealloc_mismatch=0:detect_leaks=0"};
  int runs = 0;
  bool done = false;
  int last = 0;  // the status of the last run that failed
  for (long n = 0; !done && n < 1000000; n = n < 64 ? n + 1 : n + n / 8, ++runs) {
    options.env[1] = "MAPBASIS_FAIL_NEW_AT=" + std::to_string(n);
    const ProcessResult r = RunProcess({MapbasisExe(), "p.txt"}, options);
    if (n == 0 && r.exitStatus == 0) break;  // the allocator could not be replaced here
    SCOPED_TRACE("allocation " + std::to_string(n));
    done = r.exitStatus == 0;
    EXPECT_TRUE(r.exitStatus == 0 || r.exitStatus == 8 || r.exitStatus == 16) << r.exitStatus;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), done ? 0 : 1) << r.err;
    EXPECT_EQ(r.err.rfind("mapbasis: ", 0), done ? std::string::npos : 0u) << r.err;
    if (done) break;
    EXPECT_TRUE(Snapshot(dir / "out") == before);
    // The stages only go forward: no refusal after the generation has begun.
    EXPECT_FALSE(last == 16 && r.exitStatus == 8) << r.err;
    last = r.exitStatus;
  }
  if (runs <= 1) GTEST_SKIP() << "the allocator cannot be replaced in this build";
  EXPECT_TRUE(done) << "no run got through";
  EXPECT_EQ(last, 16) << "the allocations just before success are the generation's";
}

TEST(SafeFiles, ParameterFilesThatAreNoFilesAreRefusedAtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  for (const std::string& file : {(dir / "fifo").string(), std::string("/dev/zero")}) {
    SCOPED_TRACE(file);
    // A run that waits for a writer, or reads on and on, is killed at the deadline and fails.
    const ProcessResult r = RunIn(dir.path(), file);
    EXPECT_EQ(r.exitStatus, 8);
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
  }
}

// An old layer that cannot be deleted is no reason to go on: the stale layer would pass for the
// new one. Needs another user than root to be refused; run as root, the test runs the program as
// "nobody".
TEST(SafeFiles, AnOldLayerThatCannotBeDeletedEndsTheRun) {
  if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "needs root and setpriv";
  TempDir dir;
  constexpr unsigned kNobody = 65534;
  fs::create_directories(dir / "out/HYPS");
  fs::create_directories(dir / "out/FRAME");
  Write(dir / "out/FRAME/Frame.shp", "stale");
  Write(dir / "p.txt", "Nom=N-37-XIV;Path=out;");
  for (const char* owned : {"", "out", "out/HYPS"}) {
    ASSERT_EQ(::chown((dir / owned).c_str(), kNobody, kNobody), 0);
  }
  fs::permissions(dir.path(), fs::perms::all);  // "nobody" reaches it through /tmp
  const ProcessResult r = RunProcess({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                      "--clear-groups", MapbasisExe(), "p.txt"},
                                     ProcessOptions{dir.path().string()});
  EXPECT_EQ(r.exitStatus, 8);
  EXPECT_NE(r.err.find("cannot move or delete the old file \"out/FRAME/Frame.shp\""),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("Permission denied"), std::string::npos) << r.err;
  EXPECT_EQ(Read(dir / "out/FRAME/Frame.shp"), "stale");

  // A result folder the user may not write in, its sub-folders and every layer file the user's: the
  // project could not be written, so the run is refused before anything is moved.
  Write(dir / "root.txt", "Nom=N-37-XIV;Path=mine;");
  ASSERT_EQ(RunIn(dir.path(), "root.txt").exitStatus, 0);
  fs::remove(dir / "mine/mapbasis.qgs");
  for (const auto& e : fs::recursive_directory_iterator(dir / "mine")) {
    ASSERT_EQ(::lchown(e.path().c_str(), kNobody, kNobody), 0);
  }
  Write(dir / "other.txt", "Nom=N-37-XV;Path=mine;");
  const auto before = Snapshot(dir / "mine");
  const ProcessResult mine = RunProcess({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                         "--clear-groups", MapbasisExe(), "other.txt"},
                                        ProcessOptions{dir.path().string()});
  EXPECT_EQ(mine.exitStatus, 8);
  EXPECT_NE(mine.err.find("cannot write in the result folder \"mine\": Permission denied"),
            std::string::npos)
      << mine.err;
  EXPECT_TRUE(Snapshot(dir / "mine") == before);

  // A parameter file the user may not reach is refused with the system's reason.
  fs::create_directories(dir / "closed");
  Write(dir / "closed/p.txt", "Nom=N-37-XIV;Path=out;");
  fs::permissions(dir / "closed", fs::perms::owner_all);
  const ProcessResult closed = RunProcess({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                           "--clear-groups", MapbasisExe(), "closed/p.txt"},
                                          ProcessOptions{dir.path().string()});
  EXPECT_EQ(closed.exitStatus, 8);
  EXPECT_EQ(closed.err, "mapbasis: closed/p.txt: Permission denied\n");
}

TEST(SafeFiles, HelpAndVersion) {
  TempDir dir;
  for (const char* flag : {"--help", "-h", "--version"}) {
    SCOPED_TRACE(flag);
    const ProcessResult r = RunIn(dir.path(), flag);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("mapbasis"), std::string::npos);
  }
  EXPECT_NE(RunIn(dir.path(), "--help").out.find("Nom="), std::string::npos);
  // One version, the project's in CMakeLists.txt, on one line.
  EXPECT_EQ(RunIn(dir.path(), "--version").out, "mapbasis " MAPBASIS_VERSION "\n");
  // What cannot be written is not done.
  for (const char* args : {"--help", "--version", "--find 55.75 37.62"}) {
    SCOPED_TRACE(args);
    const ProcessResult full =
        RunProcess({"/bin/sh", "-c", "\"$0\" " + std::string(args) + " >/dev/full", MapbasisExe()});
    EXPECT_EQ(full.exitStatus, 16) << full.err;
    EXPECT_EQ(full.err, "mapbasis: cannot write to the standard output\n");
  }
}

}  // namespace
}  // namespace mapbasis
