#include "driver/run_generation.h"

#include <gtest/gtest.h>

#include "geometry/sheet_trapezoid.h"
#include "publish/result_folder.h"

namespace mapbasis {
namespace {

constexpr double kSixth = 1.0 / 6.0;

enum class DiskFault { kFull = 1 };

// N-37-XIV with its defaults, as the parameter file would leave it.
SheetParameters StandardSheet() {
  SheetParameters p;
  p.CS = 3;
  p.Belt = 8;
  p.Zone = 37;
  p.SheetNo = 14;
  StoreBaseParameters(ComputeBaseTrapezoid(GridSheetOf(p)), p);
  UseBaseTrapezoid(p);
  p.Path = "/nonexistent/";
  return p;
}

TEST(RunGeneration, UniqueValuesAndEdgeCompletion) {
  std::vector<double> v{54.5};
  AppendUnique(v, 54.5001);  // equal within 1/6000 degree
  EXPECT_EQ(v.size(), 1u);
  AppendUnique(v, 54.4);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[1], 54.4);  // appended, not sorted

  // An edge within the tolerance of a grid line enters as itself.
  std::vector<double> lats{54.0 + kSixth};
  CompleteGraticuleList(lats, 54.0001, 54.6666, 54.0, kSixth);
  EXPECT_EQ(lats, (std::vector<double>{54.0001, 54.0 + kSixth, 54.6666}));

  // Edges between grid lines are not added; a single entry stays as it is.
  std::vector<double> one{54.5};
  CompleteGraticuleList(one, 54.05, 54.6, 54.0, kSixth);
  EXPECT_EQ(one, (std::vector<double>{54.5}));

  // Edges already in the list keep its length; the list comes out ascending.
  std::vector<double> both{54.6666666, 54.2, 54.0};
  CompleteGraticuleList(both, 54.0, 54.0 + 4 * kSixth, 54.0, kSixth);
  EXPECT_EQ(both, (std::vector<double>{54.0, 54.2, 54.6666666}));
}

TEST(RunGeneration, StagesRunInOrderWithTheListsCompleted) {
  const SheetParameters p = StandardSheet();
  GenerationWork work;
  std::vector<std::string> calls;
  GenerationStages stages;
  stages.graticule = [&](const SheetParameters&, const ResultFolders&, GenerationWork& w) {
    calls.push_back("graticule " + w.SheetName);
    w.ParallelLats = {p.BaseSouth + 3 * kSixth, p.BaseSouth + kSixth, p.BaseSouth + 2 * kSixth};
    w.MeridianLons = {37.25, 37.5, 37.75};
    return Success();
  };
  stages.frame = [&](const SheetParameters&, const ResultFolders&, GenerationWork& w) {
    calls.push_back("frame " + w.AdjacentWest + " " + w.AdjacentEast + " " + w.AdjacentNorth + " " +
                    w.AdjacentSouth);
    // The sheet edges lie on the grid, so all four are in the lists, sorted.
    EXPECT_EQ(w.ParallelLats.size(), 5u);
    EXPECT_EQ(w.ParallelLats.front(), p.yFrom);
    EXPECT_EQ(w.ParallelLats.back(), p.yTo);
    EXPECT_EQ(w.MeridianLons, (std::vector<double>{37.0, 37.25, 37.5, 37.75, 38.0}));
    return Success();
  };
  stages.project = [&](const SheetParameters&, const ResultFolders&, GenerationWork& w) {
    calls.push_back("project " + w.SheetName);
    return Success();
  };
  EXPECT_TRUE(RunGeneration(p, ResultFoldersOf(p.Path), work, stages).ok());
  EXPECT_EQ(calls, (std::vector<std::string>{"graticule N-37-XIV",
                                             "frame N-37-XIII N-37-XV N-37-VIII N-37-XX",
                                             "project N-37-XIV"}));
}

TEST(RunGeneration, FailedGraticuleWritesNoFrame) {
  const SheetParameters p = StandardSheet();
  GenerationWork work;
  bool frameRan = false;
  GenerationStages stages;
  stages.graticule = [](const SheetParameters&, const ResultFolders&, GenerationWork&) {
    return Failure(DiskFault::kFull, "disk full");
  };
  stages.frame = [&](const SheetParameters&, const ResultFolders&, GenerationWork&) {
    frameRan = true;
    return Success();
  };
  const Outcome r = RunGeneration(p, ResultFoldersOf(p.Path), work, stages);
  EXPECT_EQ(r.fault, DiskFault::kFull);
  EXPECT_EQ(r.reason, "disk full");
  EXPECT_FALSE(frameRan);
}

TEST(RunGeneration, AFailedStageEndsTheRun) {
  // Which stage fails; the stages after it never run: no frame after a failed graticule, no
  // project describing layers that were not all written.
  for (int failing = 0; failing < 3; ++failing) {
    SCOPED_TRACE(failing);
    const SheetParameters p = StandardSheet();
    GenerationWork work;
    int ran = 0;
    const auto stage = [&](int index) {
      return [&, index](const SheetParameters&, const ResultFolders&, GenerationWork&) {
        ++ran;
        return index == failing ? Failure(DiskFault::kFull, "disk full") : Success();
      };
    };
    GenerationStages stages{stage(0), stage(1), stage(2)};
    const Outcome r = RunGeneration(p, ResultFoldersOf(p.Path), work, stages);
    EXPECT_EQ(r.fault, DiskFault::kFull);
    EXPECT_EQ(r.reason, "disk full");
    EXPECT_EQ(ran, failing + 1);
  }
}

}  // namespace
}  // namespace mapbasis
