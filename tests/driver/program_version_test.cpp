// The version has one home, project() in CMakeLists.txt, which the build hands to the program: no
// source under src/ writes it, neither whole (what --version prints) nor as the information dialog
// names it («Версия» and its major and minor part), so that a release changes CMakeLists.txt alone.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "support/run_process.h"

namespace mapbasis {
namespace {

TEST(ProgramVersion, NoSourceWritesIt) {
  const std::string version = MAPBASIS_VERSION;
  const std::string majorMinor = version.substr(0, version.find('.', version.find('.') + 1));
  const std::string written[] = {version, "Версия " + majorMinor};
  int files = 0;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(testing::SourceDir() + "/src")) {
    if (!entry.is_regular_file()) continue;
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const std::string& literal : written) {
      EXPECT_EQ(text.find(literal), std::string::npos) << entry.path() << " writes " << literal;
    }
  }
  EXPECT_GT(files, 100);
}

}  // namespace
}  // namespace mapbasis
