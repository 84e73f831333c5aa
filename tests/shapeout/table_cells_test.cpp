// The cells of a layer's table against shapelib's own writers: each case writes its values
// through the layer's primitives and through DBFWrite*Attribute into a table declared alike; the
// two files must be the same bytes (the date aside) and each write must get the same answer.
#include <shapefil.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "shapeout/layer_files.h"
#include "support/layer_readback.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::BaseText;
using testing::ReadBytes;
using testing::TempDir;

using Value = std::variant<std::int32_t, double, std::string>;

struct Write {
  int row;
  Value value;
};

struct CellCase {
  const char* what;
  FieldSpec spec;
  std::vector<Write> writes;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

FieldSpec N(int width, int decimals = 0) { return {kFieldInteger, width, decimals}; }
FieldSpec C(int width) { return {kFieldString, width, 0}; }

const CellCase kCases[] = {
    {"integers", N(6), {{0, 0}, {1, 7}, {2, -1}, {3, 999999}, {4, -99999}}},
    {"integer too wide", N(6), {{0, 1000000}, {1, -100000}}},
    {"32-bit ends", N(11), {{0, kIntMax}, {1, kIntMin}}},
    {"32-bit end too wide", N(10), {{0, kIntMin}}},
    {"one digit", N(1), {{0, 9}, {1, -1}, {2, 10}}},
    {"integer with decimals", N(10, 2), {{0, 5}, {1, -5}}},
    {"integer with decimals too wide", N(4, 2), {{0, -5}}},
    {"ties and rounding",
     N(10, 2),
     {{0, 1.005}, {1, 2.675}, {2, 0.125}, {3, 0.375}, {4, -0.125}, {5, -0.0}, {6, -0.001}}},
    {"halves without decimals", N(10), {{0, 0.5}, {1, 1.5}, {2, 2.5}, {3, -0.5}}},
    {"exact digits", N(20, 15), {{0, 0.1}, {1, 1e-5}, {2, -123.456}}},
    {"number too wide", N(24, 3), {{0, 1e20}, {1, -1e21}}},
    {"widest numeric printed", N(254), {{0, 1e250}, {1, std::numeric_limits<double>::max()}}},
    {"more decimals than width", N(30, 40), {{0, 1.5}}},
    {"beyond printf's buffer", N(50, 200), {{0, 1.0 / 3.0}, {1, 5e-324}}},
    {"NaN and infinities", N(6), {{0, kNaN}, {1, -kNaN}, {2, kInf}, {3, -kInf}}},
    {"infinity too wide", N(3), {{0, -kInf}}},
    {"numeric field 255 wide", N(255, 2), {{0, 42}, {0, 0.5}}},
    {"more decimals than shapelib's byte", N(20, 300), {{0, 1.25}}},
    {"texts", C(5), {{0, ""}, {1, "abc"}, {2, "abcde"}, {3, "abcdef"}}},
    {"cp1251 high bytes", C(5), {{0, "\xCF\xF0\xE8\xE2\xE5\xF2"}, {1, "\xFF\xC0"}}},
    {"longest texts", C(255), {{0, std::string(255, 'x')}, {1, std::string(300, 'y')}}},
    {"shorter text over a longer one", C(100), {{0, "a long name"}, {0, "ab"}}},
    {"back to an earlier record", C(8), {{0, "first"}, {1, "second"}, {0, "again"}}},
    {"rows beyond the next", N(6), {{1, 5}, {-1, 5}, {0, 5}, {2, 5}}},
    {"back and on again", N(6), {{0, 1}, {1, 2}, {0, 3}, {1, 4}, {2, 5}, {3, 6}, {5, 7}}},
};

bool WriteOurs(Layer& layer, const Write& w) {
  if (const auto* i = std::get_if<std::int32_t>(&w.value)) return layer.WriteInteger(w.row, 1, *i);
  if (const auto* d = std::get_if<double>(&w.value)) return layer.WriteDouble(w.row, 1, *d);
  return layer.WriteString(w.row, 1, std::get<std::string>(w.value));
}

bool WriteShapelibs(DBFHandle table, const Write& w) {
  if (const auto* i = std::get_if<std::int32_t>(&w.value)) {
    return DBFWriteIntegerAttribute(table, w.row, 1, *i) != 0;
  }
  if (const auto* d = std::get_if<double>(&w.value)) {
    return DBFWriteDoubleAttribute(table, w.row, 1, *d) != 0;
  }
  return DBFWriteStringAttribute(table, w.row, 1, std::get<std::string>(w.value).c_str()) != 0;
}

// The table's bytes without the date of its last change.
std::string Undated(std::string table) {
  if (table.size() >= 4) table.replace(1, 3, "...");
  return table;
}

TEST(TableCells, AsShapelibWritesThem) {
  FileSets files;
  TempDir dir;
  for (const CellCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const auto ours = dir / "ours";
    const std::vector<FieldDef> fields = {{"V", c.spec}};
    Layer layer;
    ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(ours), fields, layer, files), Fault{});
    const std::string theirs = (dir / "theirs.dbf").string();
    DBFHandle table = DBFCreateEx(theirs.c_str(), "LDID/201");
    ASSERT_NE(table, nullptr);
    ASSERT_GE(DBFAddField(table, "Id", FTInteger, 6, 0), 0);
    ASSERT_GE(DBFAddField(table, "V", static_cast<DBFFieldType>(c.spec.type), c.spec.width,
                          c.spec.decimals),
              0);
    for (std::size_t i = 0; i < c.writes.size(); ++i) {
      EXPECT_EQ(WriteOurs(layer, c.writes[i]), WriteShapelibs(table, c.writes[i])) << "write " << i;
    }
    DBFClose(table);
    ASSERT_TRUE(testing::CloseOnDisk(layer, files).ok());
    EXPECT_EQ(Undated(ReadBytes(ours, ".dbf").value_or("")),
              Undated(ReadBytes(dir / "theirs.dbf").value_or("")));
  }
}

// Where shapelib would read a number as a text, or a text as a number, or a field it does not
// have, the layer refuses the value and the table stays without a record.
TEST(TableCells, ValuesOfAnotherKindAreRefused) {
  FileSets files;
  TempDir dir;
  const std::vector<FieldDef> fields = {{"Name", C(10)}};
  Layer layer;
  ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "L"), fields, layer, files), Fault{});
  EXPECT_FALSE(layer.WriteInteger(0, 1, 5));
  EXPECT_FALSE(layer.WriteDouble(0, 1, 0.5));
  EXPECT_FALSE(layer.WriteString(0, 0, "5"));
  EXPECT_FALSE(layer.WriteString(0, 2, "a"));
  EXPECT_FALSE(layer.WriteInteger(0, -1, 5));
  ASSERT_TRUE(testing::CloseOnDisk(layer, files).ok());
  const auto table = testing::ReadTable(dir / "L");
  ASSERT_TRUE(table);
  EXPECT_TRUE(table->records.empty());
}

}  // namespace
}  // namespace mapbasis
