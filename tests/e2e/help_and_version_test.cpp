// --help and --version as a user reads them: in the user's language, on lines a console of 80
// columns shows whole, with one version; and the status when they cannot be written.
#include <algorithm>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/run_process.h"

namespace mapbasis {
namespace {

using testing::MapbasisExe;
using testing::ProcessOptions;
using testing::ProcessResult;
using testing::RunProcess;

ProcessResult RunMapbasis(const std::vector<std::string>& args, const char* locale = "LC_ALL=C") {
  std::vector<std::string> argv{MapbasisExe()};
  argv.insert(argv.end(), args.begin(), args.end());
  ProcessOptions options;
  options.env = {locale};
  return RunProcess(argv, options);
}

TEST(HelpAndVersion, WrittenOrEndedWithSixteen) {
  for (const char* flag : {"--help", "-h", "--version"}) {
    SCOPED_TRACE(flag);
    const ProcessResult r = RunMapbasis({flag});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("mapbasis"), std::string::npos);
  }
  EXPECT_NE(RunMapbasis({"--help"}).out.find("Nom="), std::string::npos);
  // One version, the project's in CMakeLists.txt, on one line.
  EXPECT_EQ(RunMapbasis({"--version"}).out, "mapbasis " MAPBASIS_VERSION "\n");
  // What cannot be written is not done.
  for (const char* args : {"--help", "--version", "--find 55.75 37.62"}) {
    SCOPED_TRACE(args);
    const ProcessResult full =
        RunProcess({"/bin/sh", "-c", "\"$0\" " + std::string(args) + " >/dev/full", MapbasisExe()});
    EXPECT_EQ(full.exitStatus, 16) << full.err;
    EXPECT_EQ(full.err, "mapbasis: cannot write to the standard output\n");
  }
}

// Each line at most 79 characters (a Cyrillic letter is one character and two bytes of UTF-8): a
// console of 80 columns, Windows' among them, shows it whole with the cursor after it.
TEST(HelpAndVersion, HelpInTheUsersLanguageFitsEightyColumns) {
  for (const auto& [locale, start] :
       {std::pair{"LC_ALL=C", "usage: mapbasis"}, {"LC_ALL=ru_RU.UTF-8", "запуск: mapbasis"}}) {
    SCOPED_TRACE(locale);
    const ProcessResult r = RunMapbasis({"--help"}, locale);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out.rfind(start, 0), 0u) << r.out;
    std::istringstream lines(r.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      const auto characters = std::count_if(line.begin(), line.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
      });
      EXPECT_LE(characters, 79) << line;
    }
    EXPECT_GT(count, 20) << r.out;
  }
}

}  // namespace
}  // namespace mapbasis
