// Runs a program (no shell) and collects its exit status and output, for end-to-end tests.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "support/wait_for.h"

namespace mapbasis::testing {

struct ProcessResult {
  int exitStatus = -1;  // the program's exit status, or -1 when it did not exit normally
  std::string out;      // everything written to stdout
  std::string err;      // everything written to stderr, and a line of ours when it hung
};

struct ProcessOptions {
  std::string workingDir;             // when not empty, the child's current folder
  long long fileSizeLimit = -1;       // when not negative, the largest file the child may write
  std::vector<std::string> env = {};  // NAME=value entries set for the child over the test's own
  bool closedStderr = false;          // the child's stderr a pipe nobody reads
  // A child still running then has hung: it is killed, and the run fails.
  std::chrono::steady_clock::duration deadline = kHangDeadline;
};

// argv[0] is the program path. `workingDir` (when not empty) becomes the child's current folder.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingDir = {});
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options);

// The mapbasis program under test and the source tree, as the build configured them.
std::string MapbasisExe();
std::string SourceDir();

}  // namespace mapbasis::testing
