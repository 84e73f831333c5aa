// Stops the program under test at one call, so that a test can act while it stands there: the
// first mkdir, rename or renameat2 whose target ends with the path given (held_call.cpp,
// preloaded).
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/wait_for.h"

namespace mapbasis::testing {

class HeldCall {
 public:
  // `marks` is a folder of the test's own, apart from what the program writes.
  HeldCall(std::filesystem::path marks, const std::string& targetEnd) : marks_(std::move(marks)) {
    std::filesystem::create_directories(marks_);
    env_ = {"LD_PRELOAD=" MAPBASIS_HELD_CALL, "MAPBASIS_HOLD_DIR=" + marks_.string(),
            "MAPBASIS_HOLD_PATH=" + targetEnd,
            // The library is preloaded ahead of a sanitized build's runtime.
            "ASAN_OPTIONS=verify_asan_link_order=0"};
  }
  ~HeldCall() { Release(); }
  HeldCall(const HeldCall&) = delete;
  HeldCall& operator=(const HeldCall&) = delete;

  // For ProcessOptions::env of the one run to stop.
  const std::vector<std::string>& env() const { return env_; }

  // Until the run stands at the call; false when it never gets there, `gone` telling that it has
  // ended without.
  template <class Gone>
  bool WaitUntilHeld(Gone gone) const {
    return WaitFor([&] { return std::filesystem::exists(marks_ / "held") || gone(); }) &&
           std::filesystem::exists(marks_ / "held");
  }

  // Lets the run make the call.
  void Release() const { std::ofstream(marks_ / "go").flush(); }

  // The errno the held call ended with (0: it succeeded), once it is made.
  std::optional<int> Outcome() const {
    std::ifstream in(marks_ / "done");
    int error = -1;
    if (!(in >> error)) return std::nullopt;
    return error;
  }

 private:
  std::filesystem::path marks_;
  std::vector<std::string> env_;
};

}  // namespace mapbasis::testing
