// A fresh folder for one test, removed with everything in it when the test ends: in the system's
// temporary folder, or below another one.
#pragma once

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

namespace mapbasis::testing {

class TempDir {
 public:
  explicit TempDir(const std::string& hint = "t", const std::filesystem::path& below = {}) {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "mapbasis-" + hint + "-" + std::to_string(std::random_device{}()) + "-" +
                       std::to_string(counter++);
    if (info != nullptr) name += std::string("-") + info->name();
    path_ = (below.empty() ? std::filesystem::temp_directory_path() : below) / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& rel) const {
    return path_ / std::filesystem::path(std::u8string(rel.begin(), rel.end()));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace mapbasis::testing
