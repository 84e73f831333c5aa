// Waiting for an event instead of for a time: the deadline is generous and only turns a hang
// into a failure; it never decides whether a test passes on a machine that is merely busy.
#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace mapbasis::testing {

inline constexpr std::chrono::seconds kHangDeadline{120};

// Checks `event` every few milliseconds until it holds; false when the deadline passes first.
template <class Event>
bool WaitFor(Event event, std::chrono::steady_clock::duration deadline = kHangDeadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!event()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// Runs `work` on a thread of its own and returns its result, or nothing when it hangs past the
// deadline (the thread is then left behind, blocked, until the test program ends).
template <class Work>
auto EndsInTime(Work work, std::chrono::steady_clock::duration deadline = kHangDeadline)
    -> std::optional<decltype(work())> {
  auto promise = std::make_shared<std::promise<decltype(work())>>();
  auto result = promise->get_future();
  std::thread([promise, work = std::move(work)]() mutable { promise->set_value(work()); }).detach();
  if (result.wait_for(deadline) != std::future_status::ready) return std::nullopt;
  return result.get();
}

}  // namespace mapbasis::testing
