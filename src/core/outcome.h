// How the project's own helpers report: a status (0 = success) and, on failure, one line saying
// why, in words a user of the batch program understands. The routines of the design keep their
// own int32 status codes; where they also explain a failure, that status travels in an Outcome.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace mapbasis {

struct Outcome {
  std::int32_t status = 0;
  std::string reason;  // cp1251, empty on success

  bool ok() const { return status == 0; }
};

inline Outcome Success() { return {}; }

// `status` must not be 0.
inline Outcome Failure(std::int32_t status, std::string reason) {
  return {status, std::move(reason)};
}

}  // namespace mapbasis
