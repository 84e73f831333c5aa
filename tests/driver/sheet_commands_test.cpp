// --find and --index against the grid the program already holds and tests: every name --find
// prints is one the parameter file's Nom takes, and its trapezoid holds the point; a point on an
// edge names exactly the sheets just beside it. --index writes the sheets a box covers with the
// corners, names and neighbours that the sheet layers carry for them.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/angle_tolerance.h"
#include "core/sheet_parameters.h"
#include "driver/program.h"
#include "params/nomenclature_parser.h"
#include "support/layer_reader.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::ReadLayerFiles;
using testing::TempDir;

struct Command {
  int status = -1;
  std::vector<std::string> lines;
  std::string err;
};

Command RunCommand(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  Command c;
  c.status = RunProgram(args, nullptr, out, err);
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) c.lines.push_back(line);
  c.err = err.str();
  return c;
}

std::string Decimal(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10f", v);
  return text;
}

// The sheet a name stands for, through the parameter file's parser.
SheetParameters Parsed(const std::string& name) {
  SheetParameters p;
  EXPECT_EQ(ParseSheetName(name, p), 0) << name;
  return p;
}

bool Holds(const SheetParameters& p, double lat, double lon) {
  const auto within = [](double v, double lo, double hi) {
    return v >= lo - kAngleTolerance && v <= hi + kAngleTolerance;
  };
  return within(lat, p.BaseSouth, p.BaseNorth) && within(lon, p.BaseWest, p.BaseEast);
}

// The kinds of sheet (series, joined sheets) that hold a point in each band of belts, north to
// south: U and T (76..84 N) join up to three sheets of the 1:200 000 series and four of the
// 1:1 000 000 series, S, R and Q (64..76 N) two, the belts south of 64 N none.
const struct {
  double south;
  std::set<std::pair<int, int>> kinds;
} kKindsByBand[] = {
    {76.0, {{1, 0}, {1, 1}, {1, 3}, {0, 0}, {0, 1}, {0, 2}}},
    {64.0, {{1, 0}, {1, 1}, {0, 0}, {0, 1}}},
    {40.0, {{1, 0}, {0, 0}}},
};

std::set<std::pair<int, int>> KindsAt(double lat) {
  for (const auto& band : kKindsByBand) {
    if (lat > band.south) return band.kinds;
  }
  return {};
}

// --find on a point given in east longitudes 12..192; west of 180 as a negative longitude every
// other time, so both forms are used.
Command Find(double lat, double lon, bool westNegative) {
  return RunCommand({"--find", Decimal(lat), Decimal(westNegative && lon > 180 ? lon - 360 : lon)});
}

TEST(SheetCommands, FindNamesTheSheetsThatHoldThePointAndTheirNeighboursOnAnEdge) {
  // A lattice through the grid that falls on the edges of belts, rows of 40', zones and columns of
  // 1 degree, and between them; each point is also looked at a little beyond the tolerance in the
  // four diagonal directions, where exactly one sheet of each kind holds it.
  const double delta = 3 * kAngleTolerance;
  int points = 0;
  // The combined sheets named, by series, kind and row (its north edge): west and east edges.
  std::map<std::tuple<int, int, double>, std::set<std::pair<double, double>>> rows;
  for (int k = 0; k <= 132; ++k) {
    for (int j = 0; j <= 120; ++j) {
      // A third of the lattice still has every kind of point: (k, j) even or odd in each.
      if ((k + j) % 3 != 0) continue;
      const double lat = 40.0 + k / 3.0;
      const double lon = 12.0 + 1.5 * j;
      const Command at = Find(lat, lon, j % 2 == 0);
      ASSERT_EQ(at.status, 0) << lat << " " << lon << ": " << at.err;
      ++points;
      std::set<std::string> beside;
      for (const double dLat : {-delta, delta}) {
        for (const double dLon : {-delta, delta}) {
          const double la = lat + dLat;
          const double lo = lon + dLon;
          const Command off = Find(la, lo, false);
          if (la > 84.0 || la < 40.0 || lo < 12.0 || lo > 192.0) {
            ASSERT_EQ(off.status, 8) << la << " " << lo;
            continue;
          }
          ASSERT_EQ(off.status, 0) << la << " " << lo << ": " << off.err;
          // One sheet of each series and of each kind its belt has, and it holds the point.
          std::multiset<std::pair<int, int>> kinds;
          for (const std::string& name : off.lines) {
            const SheetParameters p = Parsed(name);
            EXPECT_TRUE(Holds(p, la, lo)) << name << " at " << la << " " << lo;
            kinds.insert({p.MillionSeries, p.ExtraSheets});
            beside.insert(name);
          }
          const std::set<std::pair<int, int>> expected = KindsAt(la);
          EXPECT_EQ(std::set(kinds.begin(), kinds.end()), expected) << la << " " << lo;
          EXPECT_EQ(kinds.size(), expected.size()) << la << " " << lo;
        }
      }
      for (const std::string& name : at.lines) {
        const SheetParameters p = Parsed(name);
        EXPECT_TRUE(Holds(p, lat, lon)) << name << " at " << lat << " " << lon;
        rows[{p.MillionSeries, p.ExtraSheets, p.BaseNorth}].insert({p.BaseWest, p.BaseEast});
      }
      EXPECT_EQ(std::set(at.lines.begin(), at.lines.end()), beside) << lat << " " << lon;
    }
  }
  EXPECT_EQ(points, 5365);
  // The sheets of one kind in a row follow each other without overlapping: combined sheets are
  // fixed groups, not any run of neighbours that holds the point.
  for (const auto& [row, sheets] : rows) {
    double east = -1.0;
    for (const auto& [w, e] : sheets) {
      EXPECT_LE(east, w + kAngleTolerance)
          << std::get<0>(row) << " " << std::get<1>(row) << " " << std::get<2>(row) << ": " << w;
      east = e;
    }
  }
}

TEST(SheetCommands, FindForms) {
  const std::vector<std::string> moscow{"N-37", "N-37-II"};
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> names;  // empty: refused with 8
  } cases[] = {
      {{"55.75", "37.62"}, moscow},
      {{"55°45'", "37°37'"}, moscow},
      {{"55 45", "37 37"}, moscow},
      {{"55,75", " 37.62° "}, moscow},
      {{"77", "50.5"},
       {"T-39", "T-39(2)", "T-37(4)", "T-39-XXVII", "T-39-XXVII(2)", "T-39-XXV(3)"}},
      {{"64.5", "-170.5"}, {"Q-02", "Q-01(2)", "Q-02-XXXIV", "Q-02-XXXIII(2)"}},
      // On the edge between two double sheets.
      {{"64.5", "190"},
       {"Q-02", "Q-01(2)", "Q-02-XXXIV", "Q-02-XXXV", "Q-02-XXXIII(2)", "Q-02-XXXV(2)"}},
      {{"62", "180"}, {"P-60", "P-01", "P-60-XVIII", "P-01-XIII", "P-60-XXIV", "P-01-XIX"}},
      {{"56", "37"}, {"O-37", "N-37", "O-37-XXXI", "O-37-XXXII", "N-37-I", "N-37-II"}},
      {{"84", "12"}, {"U-33", "U-33(2)", "U-33(4)", "U-33-I", "U-33-I(2)", "U-33-I(3)"}},
      {{"40", "-168"}, {"K-02", "K-02-XXXVI"}},
      {{"91", "37"}, {}},
      {{"39.99", "37"}, {}},
      {{"-55.75", "37.62"}, {}},
      {{"50", "11.99"}, {}},
      {{"50", "-167.99"}, {}},
      {{"50", "361"}, {}},
      {{"55°45'30\"", "37"}, {}},
      {{"55°75'", "37"}, {}},
      {{"1e1", "37"}, {}},
      {{"abc", "37"}, {}},
      {{"", "37"}, {}},
      {{"55.75"}, {}},
      {{"55.75", "37.62", "1"}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"--find"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Command r = RunCommand(args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    if (c.names.empty()) {
      EXPECT_EQ(r.status, 8);
      EXPECT_TRUE(r.lines.empty());
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
      EXPECT_TRUE(r.err.starts_with("mapbasis: ")) << r.err;
    } else {
      EXPECT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(r.lines, c.names);
      EXPECT_EQ(r.err, "");
    }
  }
}

struct IndexRecord {
  std::string name, west, east, north, south;
  double minX, maxX, minY, maxY;
  std::size_t vertices;
};

std::vector<IndexRecord> ReadIndex(const fs::path& folder) {
  const auto layer = ReadLayerFiles(folder / "SheetIndex");
  EXPECT_TRUE(layer.ok);
  EXPECT_EQ(layer.fieldNames,
            (std::vector<std::string>{"Id", "Name", "AdjWest", "AdjEast", "AdjNorth", "AdjSouth"}));
  std::vector<IndexRecord> records;
  for (std::size_t i = 0; i < layer.shapes.size() && i < layer.records.size(); ++i) {
    const auto& s = layer.shapes[i];
    records.push_back({layer.Value(i, "Name"), layer.Value(i, "AdjWest"), layer.Value(i, "AdjEast"),
                       layer.Value(i, "AdjNorth"), layer.Value(i, "AdjSouth"),
                       *std::min_element(s.x.begin(), s.x.end()),
                       *std::max_element(s.x.begin(), s.x.end()),
                       *std::min_element(s.y.begin(), s.y.end()),
                       *std::max_element(s.y.begin(), s.y.end()), s.x.size()});
    EXPECT_EQ(layer.Value(i, "Id"), std::to_string(i + 1));
  }
  EXPECT_EQ(layer.shapes.size(), layer.records.size());
  return records;
}

TEST(SheetCommands, IndexHoldsTheSheetsTheBoxCoversWithTheirCornersAndNeighbours) {
  // Each sheet: its name, then its neighbours west, east, north and south.
  using Sheet = std::array<std::string, 5>;
  const Sheet n37ii{"N-37-II", "N-37-I", "N-37-III", "O-37-XXXII", "N-37-VIII"};
  const Sheet n37iii{"N-37-III", "N-37-II", "N-37-IV", "O-37-XXXIII", "N-37-IX"};
  const Sheet n37viii{"N-37-VIII", "N-37-VII", "N-37-IX", "N-37-II", "N-37-XIV"};
  const Sheet n37ix{"N-37-IX", "N-37-VIII", "N-37-X", "N-37-III", "N-37-XV"};
  const Sheet q60xxxvi{"Q-60-XXXVI", "Q-60-XXXV", "Q-01-XXXI", "Q-60-XXX", "P-60-VI"};
  const Sheet q01xxxi{"Q-01-XXXI", "Q-60-XXXVI", "Q-01-XXXII", "Q-01-XXV", "P-01-I"};
  const struct {
    std::vector<std::string> args;
    std::vector<Sheet> sheets;  // north to south, west to east
  } cases[] = {
      {{"55.1", "37.1", "55.9", "38.9"}, {n37ii, n37iii, n37viii, n37ix}},
      // Edges on the sheets' edges take no sheet beyond them.
      {{"54", "37", "56", "39"},
       {n37ii,
        n37iii,
        n37viii,
        n37ix,
        {"N-37-XIV", "N-37-XIII", "N-37-XV", "N-37-VIII", "N-37-XX"},
        {"N-37-XV", "N-37-XIV", "N-37-XVI", "N-37-IX", "N-37-XXI"}}},
      {{"64.2", "179", "64.5", "-179"}, {q60xxxvi, q01xxxi}},
      {{"64°12'", "179 30", "64 30", "180°30'", "--cs", "ГCK-2011"}, {q60xxxvi, q01xxxi}},
      {{"80.5", "-175", "83", "-170", "--scale", "1000"},
       {{"U-01", "U-60", "U-02", "V-01", "T-01"}, {"U-02", "U-01", "U-03", "V-02", "T-02"}}},
      // Only the part within the grid, which begins at 12 E.
      {{"41.5", "11", "45.5", "13", "--scale", "1000"},
       {{"L-33", "L-32", "L-34", "M-33", "K-33"}, {"K-33", "K-32", "K-34", "L-33", "J-33"}}},
      // A point on a corner: the four sheets around it.
      {{"70", "100", "70", "100"},
       {{"R-47-XVI", "R-47-XV", "R-47-XVII", "R-47-X", "R-47-XXII"},
        {"R-47-XVII", "R-47-XVI", "R-47-XVIII", "R-47-XI", "R-47-XXIII"},
        {"R-47-XXII", "R-47-XXI", "R-47-XXIII", "R-47-XVI", "R-47-XXVIII"},
        {"R-47-XXIII", "R-47-XXII", "R-47-XXIV", "R-47-XVII", "R-47-XXIX"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    TempDir dir;
    std::vector<std::string> args{"--index"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back((dir / "index").string());
    const Command r = RunCommand(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<Sheet> sheets;
    for (const IndexRecord& record : ReadIndex(dir / "index")) {
      sheets.push_back({record.name, record.west, record.east, record.north, record.south});
      const SheetParameters p = Parsed(record.name);
      EXPECT_EQ(record.minX, p.BaseWest) << record.name;
      EXPECT_EQ(record.maxX, p.BaseEast) << record.name;
      EXPECT_EQ(record.minY, p.BaseSouth) << record.name;
      EXPECT_EQ(record.maxY, p.BaseNorth) << record.name;
      // Densified as HypsA is: every 1/8 degree along the parallels, 1/12 along the meridians.
      EXPECT_EQ(record.vertices, p.MillionSeries != 0 ? 193u : 33u) << record.name;
    }
    EXPECT_EQ(sheets, c.sheets);
  }
}

TEST(SheetCommands, IndexOfTheWholeMillionGridAndWhatIsRefused) {
  TempDir dir;
  const std::string folder = (dir / "index").string();
  Command r = RunCommand({"--index", "40", "12", "84", "192", folder, "--scale", "1000"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadIndex(dir / "index").size(), 11u * 30u);
  fs::remove_all(dir / "index");

  const std::vector<std::string> refused[] = {
      {"40", "12", "84", "192", folder},  // 11 880 sheets of the 1:200 000 series
      {"56", "37", "55", "38", folder},
      {"30", "37", "35", "38", folder},
      {"50", "0", "55", "11", folder},
      {"55", "37", "56", "38", folder, "--scale", "500"},
      {"55", "37", "56", "38", folder, "--scale"},
      {"55", "37", "56", "38", folder, "--cs", "WGS 84"},
      {"55", "37", "56", "38", folder, "--colour", "red"},
      {"55", "37", "56", folder},
      {"55", "37", "56", "38", folder, "extra"},
      {"55", "37", "56", "38", ""},
      {"91", "37", "56", "38", folder},
      {"55", "37", "56", "38", (dir / "a\x01").string()},
  };
  for (const auto& args : refused) {
    SCOPED_TRACE(::testing::PrintToString(args));
    std::vector<std::string> command{"--index"};
    command.insert(command.end(), args.begin(), args.end());
    r = RunCommand(command);
    EXPECT_EQ(r.status, 8);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(fs::is_empty(dir.path()));
  }
}

TEST(SheetCommands, IndexReplacesAnOldIndexWholeAndLeavesTheRestOfTheFolder) {
  TempDir dir;
  const std::string folder = (dir / "index").string();
  ASSERT_EQ(RunCommand({"--index", "55.1", "37.1", "55.9", "38.9", folder}).status, 0);
  // What describes the old layer goes; what does not belong to it stays.
  for (const char* name : {"SheetIndex.qix", "SheetIndex.cpg", "sheetindex.prj", "SHEETINDEX.SHP",
                           "SheetIndex.txt", "Other.shp"}) {
    std::ofstream(dir / ("index/" + std::string(name))) << "old";
  }
  ASSERT_EQ(RunCommand({"--index", "64.2", "179", "64.5", "-179", folder}).status, 0);
  std::set<std::string> files;
  for (const auto& e : fs::directory_iterator(dir / "index")) {
    files.insert(e.path().filename().string());
  }
  EXPECT_EQ(files, (std::set<std::string>{"SheetIndex.shp", "SheetIndex.shx", "SheetIndex.dbf",
                                          "SheetIndex.PRJ", "SheetIndex.qml", "SheetIndex.txt",
                                          "Other.shp"}));
  EXPECT_EQ(ReadIndex(dir / "index").size(), 2u);

  // A folder where a file of the layer goes: refused, and nothing changes.
  fs::remove(dir / "index/SheetIndex.qml");
  fs::create_directory(dir / "index/SheetIndex.qml");
  const Command r = RunCommand({"--index", "55.1", "37.1", "55.9", "38.9", folder});
  EXPECT_EQ(r.status, 8);
  EXPECT_NE(r.err.find("a folder stands where a layer file goes"), std::string::npos) << r.err;
  EXPECT_EQ(ReadIndex(dir / "index").size(), 2u);
}

}  // namespace
}  // namespace mapbasis
