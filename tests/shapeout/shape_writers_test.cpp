#include "shapeout/shape_writers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "support/layer_readback.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

namespace fs = std::filesystem;
using testing::BaseText;
using testing::ReadBytes;
using testing::ReadShapes;
using testing::ReadTable;
using testing::TempDir;
using testing::Trimmed;

using Coords = std::vector<double>;

const std::vector<FieldDef> kAreaFields = {{"L_code", {kFieldInteger, 6, 0}},
                                           {"Name", {kFieldString, 100, 0}}};

TEST(ShapeWriters, KthShapeIsRecordAndIdK) {
  FileSets files;
  TempDir dir;
  const Coords x = {37.0, 37.25, 37.5}, y = {54.666666666666664, 54.5, 54.0};
  {
    Layer layer;
    ASSERT_EQ(OpenLayer(1, kShapeArc, BaseText(dir / "L"), kAreaFields, layer, files), Fault{});
    for (int k = 1; k <= 3; ++k) {
      const std::string text = std::to_string(100 + k) + "\\line\\";
      ASSERT_EQ(WriteLineShape(layer, text, std::span(x).first(k), std::span(y).first(k)), Fault{});
      EXPECT_EQ(layer.recordCount, k);
      EXPECT_EQ(layer.idCount, k);
    }
    ASSERT_TRUE(testing::CloseOnDisk(layer, files).ok());
  }
  const auto table = ReadTable(dir / "L");
  const auto shapes = ReadShapes(dir / "L");
  ASSERT_TRUE(table && shapes);
  ASSERT_EQ(table->records.size(), 3u);
  ASSERT_EQ(shapes->shapes.size(), 3u);
  for (std::size_t k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    const auto& record = table->records[k - 1];
    EXPECT_EQ(record[0], "     " + std::to_string(k));  // Id, N(6)
    EXPECT_EQ(Trimmed(record[1]), std::to_string(100 + k));
    const auto& shape = shapes->shapes[k - 1];
    EXPECT_EQ(shape.type, SHPT_ARC);
    EXPECT_EQ(shape.partStarts, std::vector{0});
    EXPECT_EQ(shape.partTypes, std::vector{SHPP_RING});
    EXPECT_EQ(shape.x, Coords(x.begin(), x.begin() + k));
    EXPECT_EQ(shape.y, Coords(y.begin(), y.begin() + k));
  }
}

TEST(ShapeWriters, PointsAndPolygonsKeepTheirVertices) {
  FileSets files;
  TempDir dir;
  // A clockwise ring from the north-west corner; written as given, neither turned nor closed.
  const Coords ringX = {37.0, 38.0, 38.0, 37.0, 37.0}, ringY = {54.5, 54.5, 54.0, 54.0, 54.5};
  const Coords openX = {37.0, 38.0, 38.0}, openY = {54.5, 54.5, 54.0};
  {
    Layer area, points;
    ASSERT_EQ(OpenLayer(1, kShapePolygon, BaseText(dir / "A"), kAreaFields, area, files), Fault{});
    ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "P"), kAreaFields, points, files), Fault{});
    EXPECT_EQ(WritePolygonShape(area, "-1\\N-37-XIV\\", ringX, ringY), Fault{});
    EXPECT_EQ(WritePolygonShape(area, "-1\\\\", openX, openY), Fault{});
    EXPECT_EQ(WritePointShape(points, "-1\\\\", 37.125, 54.25), Fault{});
    ASSERT_TRUE(testing::CloseOnDisk(area, files).ok() && testing::CloseOnDisk(points, files).ok());
  }
  const auto area = ReadShapes(dir / "A");
  ASSERT_TRUE(area);
  ASSERT_EQ(area->shapes.size(), 2u);
  EXPECT_EQ(area->type, SHPT_POLYGON);
  EXPECT_EQ(area->shapes[0].partStarts, std::vector{0});
  EXPECT_EQ(area->shapes[0].x, ringX);
  EXPECT_EQ(area->shapes[0].y, ringY);
  EXPECT_EQ(area->shapes[1].x, openX);
  EXPECT_EQ(area->shapes[1].y, openY);

  const auto points = ReadShapes(dir / "P");
  ASSERT_TRUE(points);
  ASSERT_EQ(points->shapes.size(), 1u);
  EXPECT_EQ(points->shapes[0].type, SHPT_POINT);
  EXPECT_TRUE(points->shapes[0].partStarts.empty());
  EXPECT_EQ(points->shapes[0].x, Coords{37.125});
  EXPECT_EQ(points->shapes[0].y, Coords{54.25});
}

TEST(ShapeWriters, AttributeTextsFillTheFields) {
  FileSets files;
  const std::vector<FieldDef> fields = {
      {"L_code", {kFieldInteger, 8, 0}},
      {"Name", {kFieldString, 10, 0}},
      {"Size", {kFieldDouble, 8, 2}},
      {"Flag", {3, 1, 0}},  // a logical field: its value is passed over, the field stays blank
      {"Font", {kFieldString, 5, 0}},
  };
  const struct {
    std::string text;
    Fault status;
    std::vector<std::string> raw;  // L_code .. Font as stored
  } cases[] = {
      {"   400011\\  a b  \\1,5\\T\\Arial\\",
       Fault{},
       {"  400011", "a b       ", "    1.50", " ", "Arial"}},
      {"\\\\\\\\\\", Fault{}, {"       0", "          ", "    0.00", " ", "     "}},
      {"-7\\x\\2.5d1\\\\y\\more\\values\\",
       Fault{},
       {"      -7", "x         ", "   25.00", " ", "y    "}},
      {Cp1251("5\\Параллель\\0\\\\\\").str(),
       Fault{},
       {"       5", Cp1251("Параллель ").str(), "    0.00", " ", "     "}},
      {"12abc\\x\\1\\\\y\\",
       ShapeFault::kMalformedText,
       {"        ", "          ", "        ", " ", "     "}},
      {"1\\x\\1.5.3\\\\y\\",
       ShapeFault::kMalformedText,
       {"       1", "x         ", "        ", " ", "     "}},
      {"1\\name too long\\1\\\\y\\",
       ShapeFault::kValueRefused,
       {"       1", "name too l", "        ", " ", "     "}},
      {"123456789\\x\\1\\\\y\\",
       ShapeFault::kValueRefused,
       {"12345678", "          ", "        ", " ", "     "}},
      // A text that holds a NUL cannot be stored whole: refused, not cut.
      {std::string("1\\a\0b\\1\\\\y\\", 11),
       ShapeFault::kValueRefused,
       {"       1", "          ", "        ", " ", "     "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TempDir dir;
    {
      Layer layer;
      ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "P"), fields, layer, files), Fault{});
      EXPECT_EQ(WritePointShape(layer, c.text, 1.0, 2.0), c.status);
      ASSERT_TRUE(
          testing::CloseOnDisk(layer, files).ok());  // closed even after a failure, to look at it
    }
    const auto table = ReadTable(dir / "P");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->records.size(), 1u);
    EXPECT_EQ(table->records[0][0], "     1");
    EXPECT_EQ(std::vector(table->records[0].begin() + 1, table->records[0].end()), c.raw);
    EXPECT_EQ(ReadShapes(dir / "P").value().shapes.size(), c.status == Fault{} ? 1u : 0u);
  }
}

TEST(ShapeWriters, UnterminatedValueLeavesRecordWithoutShape) {
  FileSets files;
  TempDir dir;
  {
    Layer layer;
    ASSERT_EQ(OpenLayer(1, kShapePolygon, BaseText(dir / "A"), kAreaFields, layer, files), Fault{});
    const Coords x = {1, 2, 2, 1}, y = {1, 1, 0, 1};
    EXPECT_EQ(WritePolygonShape(layer, "-1\\abc", x, y), ShapeFault::kMalformedText);
    EXPECT_EQ(layer.recordCount, 1);
    EXPECT_EQ(layer.idCount, 1);
    ASSERT_TRUE(
        testing::CloseOnDisk(layer, files).ok());  // closed even after the failure, to look at it
  }
  const auto table = ReadTable(dir / "A");
  ASSERT_TRUE(table);
  ASSERT_EQ(table->records.size(), 1u);
  EXPECT_EQ(Trimmed(table->records[0][0]), "1");
  EXPECT_EQ(Trimmed(table->records[0][1]), "-1");
  EXPECT_EQ(Trimmed(table->records[0][2]), "");
  EXPECT_TRUE(ReadShapes(dir / "A").value().shapes.empty());
}

TEST(ShapeWriters, ShapeThatCannotBeAppendedWritesNothing) {
  FileSets files;
  TempDir dir;
  Layer layer;
  const Coords two = {1, 2}, three = {1, 2, 3};
  EXPECT_EQ(WriteLineShape(layer, "1\\x\\", two, two), ShapeFault::kNotWritten);  // not open

  ASSERT_EQ(OpenLayer(1, kShapeArc, BaseText(dir / "L"), kAreaFields, layer, files), Fault{});
  EXPECT_EQ(WriteLineShape(layer, "1\\x\\", two, three), ShapeFault::kNotWritten);
  EXPECT_EQ(WritePolygonShape(layer, "1\\x\\", two, two), ShapeFault::kNotWritten);
  EXPECT_EQ(WritePointShape(layer, "1\\x\\", 1, 2), ShapeFault::kNotWritten);
  EXPECT_EQ(layer.recordCount, 0);
  EXPECT_EQ(WriteLineShape(layer, "1\\x\\", two, two), Fault{});
  EXPECT_EQ(layer.idCount, 1);
  testing::CloseOnDisk(layer, files);
  EXPECT_EQ(WriteLineShape(layer, "1\\x\\", two, two), ShapeFault::kNotWritten);

  EXPECT_EQ(ReadTable(dir / "L").value().records.size(), 1u);
  EXPECT_EQ(ReadShapes(dir / "L").value().shapes.size(), 1u);
}

// The shapes appended to a layer against the same shapes made by shapelib's SHPCreateObject and
// written by SHPWriteObject: the .shp and .shx files are the same bytes, bounds and all.
TEST(ShapeWriters, ShapesAsShapelibMakesThem) {
  FileSets files;
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  struct Shapes {
    std::int32_t type;
    std::vector<std::pair<Coords, Coords>> shapes;
  };
  const Shapes kShapes[] = {
      {kShapePoint, {{{37.5}, {54.25}}, {{-0.0}, {0.0}}, {{1, 2}, {3, 4}}}},
      {kShapeArc,
       {{{1, 3, 2}, {-1, -3, -2}},
        {{}, {}},
        {{0.0, -0.0}, {-0.0, 0.0}},
        {{2, kNaN, 1}, {kNaN, 5, 4}}}},
      {kShapePolygon, {{{37, 37, 38, 38, 37}, {54, 55, 55, 54, 54}}}},
  };
  TempDir dir;
  for (const Shapes& c : kShapes) {
    SCOPED_TRACE(c.type);
    Layer layer;
    ASSERT_EQ(OpenLayer(1, c.type, BaseText(dir / "ours"), {}, layer, files), Fault{});
    SHPHandle theirs = SHPCreate((dir / "theirs").string().c_str(), c.type);
    ASSERT_NE(theirs, nullptr);
    for (const auto& [x, y] : c.shapes) {
      EXPECT_TRUE(layer.AppendShape(c.type, x, y));
      const int part = 0;
      SHPObject* shape =
          SHPCreateObject(c.type, -1, c.type == kShapePoint ? 0 : 1, &part, nullptr,
                          static_cast<int>(x.size()), x.data(), y.data(), nullptr, nullptr);
      EXPECT_GE(SHPWriteObject(theirs, -1, shape), 0);
      SHPDestroyObject(shape);
    }
    SHPClose(theirs);
    ASSERT_TRUE(testing::CloseOnDisk(layer, files).ok());
    for (const char* extension : {".shp", ".shx"}) {
      EXPECT_EQ(ReadBytes(dir / "ours", extension), ReadBytes(dir / "theirs", extension))
          << extension;
    }
  }
  // shapelib would read the vertex of a point that has none.
  Layer layer;
  ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "P"), {}, layer, files), Fault{});
  EXPECT_FALSE(layer.AppendShape(kShapePoint, {}, {}));
}

}  // namespace
}  // namespace mapbasis
