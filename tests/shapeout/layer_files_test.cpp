#include "shapeout/layer_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "shapeout/shape_writers.h"
#include "support/layer_readback.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

namespace fs = std::filesystem;
using testing::BaseText;
using testing::PutOnDisk;
using testing::ReadBytes;
using testing::ReadShapes;
using testing::ReadTable;
using testing::TempDir;

const std::vector<FieldDef> kLineFields = {
    {"L_code", {kFieldInteger, 6, 0}},    {"Text", {kFieldString, 40, 0}},
    {"Grad", {kFieldString, 5, 0}},       {"Min", {kFieldString, 7, 0}},
    {"Indication", {kFieldString, 5, 0}},
};

bool AnyLayerFile(const fs::path& base) {
  for (const char* extension : {".dbf", ".shp", ".shx", ".PRJ"}) {
    fs::path file = base;
    if (fs::exists(file += extension)) return true;
  }
  return false;
}

TEST(LayerFiles, CreatesTableShapefileAndProjection) {
  TempDir dir;
  const fs::path base = dir / "HypsL";
  {
    Layer layer;
    FileSets files;
    ASSERT_EQ(OpenLayer(1, kShapeArc, BaseText(base), kLineFields, layer, files), Fault{});
    EXPECT_TRUE(layer.IsOpen());
    EXPECT_EQ(layer.BasePath(), BaseText(base));
    EXPECT_EQ(layer.Fields().size(), kLineFields.size());
    EXPECT_EQ(layer.recordCount, 0);
    EXPECT_EQ(layer.idCount, 0);
    CloseLayer(layer);
    EXPECT_FALSE(layer.IsOpen());
    ASSERT_TRUE(PutOnDisk(files).ok());
  }

  const auto table = ReadTable(base);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->languageDriver, 0xC9);  // cp1251
  const std::vector<std::tuple<std::string, char, int>> expected = {
      {"Id", 'N', 6},   {"L_code", 'N', 6}, {"Text", 'C', 40},
      {"Grad", 'C', 5}, {"Min", 'C', 7},    {"Indication", 'C', 5},
  };
  ASSERT_EQ(table->fields.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& [name, type, width] = expected[i];
    EXPECT_EQ(table->fields[i].name, name);
    EXPECT_EQ(table->fields[i].nativeType, type) << name;
    EXPECT_EQ(table->fields[i].width, width) << name;
    EXPECT_EQ(table->fields[i].decimals, 0) << name;
  }
  EXPECT_TRUE(table->records.empty());

  const auto shapes = ReadShapes(base);
  ASSERT_TRUE(shapes);
  EXPECT_EQ(shapes->type, SHPT_ARC);
  EXPECT_TRUE(shapes->shapes.empty());
  EXPECT_EQ(ReadBytes(base, ".PRJ"), std::string(ProjectionText(1)) + "\r\n");
}

TEST(LayerFiles, ProjectionFileOfEachCoordinateSystem) {
  const struct {
    std::int32_t CS;
    std::size_t length;  // without the line end
    const char* system;
  } cases[] = {
      {1, 153, "GEOGCS[\"GCS_Pulkovo_1942\",DATUM[\"D_Pulkovo_1942\","},
      {2, 153, "GEOGCS[\"GCS_Pulkovo_1965\",DATUM[\"D_Pulkovo_1965\","},
      {3, 156, "GEOGCS[\"GCS_RUSSIA_2011\",DATUM[\"D_RUSSIA_2011\",SPHEROID[\"S_RUSSIA_2011\", "},
      {0, 0, ""},
      {4, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.CS);
    TempDir dir;
    const fs::path base = dir / "Frame";
    Layer layer;
    FileSets files;
    ASSERT_EQ(OpenLayer(c.CS, kShapeArc, BaseText(base), {}, layer, files), Fault{});
    ASSERT_TRUE(CloseLayer(layer).ok());
    ASSERT_TRUE(PutOnDisk(files).ok());
    // No producer fields: the table holds Id alone.
    const auto table = ReadTable(base);
    ASSERT_TRUE(table && ReadShapes(base));
    ASSERT_EQ(table->fields.size(), 1u);
    EXPECT_EQ(table->fields[0].name, "Id");

    const auto prj = ReadBytes(base, ".PRJ");
    ASSERT_TRUE(prj);
    if (c.length == 0) {
      EXPECT_EQ(*prj, "");
      continue;
    }
    EXPECT_EQ(prj->size(), c.length + 2);
    EXPECT_EQ(prj->substr(c.length), "\r\n");
    EXPECT_EQ(prj->rfind(c.system, 0), 0u);
    const std::string tail = R"(]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";
    EXPECT_EQ(prj->substr(c.length - tail.size(), tail.size()), tail);
  }
}

TEST(LayerFiles, BasePathNamesTheFiles) {
  const struct {
    const char* folder;  // UTF-8
    std::string name;    // cp1251, as a producer passes it
    const char* file;    // UTF-8 base name of the files made
  } cases[] = {
      {"", "HypsL" + std::string(200, ' '), "HypsL"},
      {"", "Hyps L ", "Hyps L"},
      {"Мои карты", Cp1251("Рамка").str(), "Рамка"},
      {"a.b", "Hyps.v2", "Hyps.v2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TempDir dir;
    const fs::path folder = *c.folder ? dir / c.folder : dir.path();
    fs::create_directories(folder);
    {
      Layer layer;
      FileSets files;
      const std::string base = BaseText(folder) + "/" + c.name;
      ASSERT_EQ(OpenLayer(1, kShapeArc, base, kLineFields, layer, files), Fault{});
      EXPECT_EQ(layer.BasePath(), BaseText(folder / c.file));
      EXPECT_EQ(WriteLineShape(layer, "1\\\\\\\\\\", std::vector{1.0, 2.0}, std::vector{3.0, 4.0}),
                Fault{});
      ASSERT_TRUE(CloseLayer(layer).ok());
      ASSERT_TRUE(PutOnDisk(files).ok());
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    const std::string file = c.file;
    EXPECT_EQ(names, (std::vector{file + ".PRJ", file + ".dbf", file + ".shp", file + ".shx"}));
    const auto shapes = ReadShapes(folder / c.file);
    ASSERT_TRUE(shapes);
    EXPECT_EQ(shapes->shapes.size(), 1u);
  }
}

TEST(LayerFiles, BasePathOf255CharactersAtMost) {
  TempDir dir;
  // Counted in cp1251 characters: the Cyrillic letters take two bytes each in the file name.
  const std::string folder = BaseText(dir.path()) + "/";
  const std::string letters = Cp1251("ЯЯЯЯЯЯЯЯЯЯ").str();
  const std::string fits = folder + letters + std::string(255 - folder.size() - 10, 'a');
  ASSERT_EQ(fits.size(), 255u);
  Layer layer;
  FileSets files;
  EXPECT_EQ(OpenLayer(1, kShapeArc, fits + "   ", {}, layer, files), Fault{});
  EXPECT_TRUE(CloseLayer(layer).ok());
  EXPECT_TRUE(PutOnDisk(files).ok());
  EXPECT_TRUE(AnyLayerFile(PathFromCp1251(fits)));

  EXPECT_EQ(OpenLayer(1, kShapeArc, fits + "b", {}, layer, files), LayerFault::kBasePathTooLong);
  EXPECT_FALSE(layer.IsOpen());
  EXPECT_TRUE(files.empty());
}

TEST(LayerFiles, RefusedFieldLeavesNothing) {
  const struct {
    const char* what;
    FieldDef field;
  } cases[] = {
      {"width 0", {"Name", {kFieldString, 0, 0}}},
      {"negative width", {"Name", {kFieldInteger, -6, 0}}},
      {"wider than dBASE", {"Name", {kFieldString, 256, 0}}},
      {"name of 11 characters", {"Indications", {kFieldString, 5, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path base = dir / "HypsA";
    const std::vector<FieldDef> fields = {
        {"L_code", {kFieldInteger, 6, 0}}, c.field, {"After", {kFieldString, 5, 0}}};
    Layer layer;
    FileSets files;
    EXPECT_EQ(OpenLayer(1, kShapePolygon, BaseText(base), fields, layer, files),
              LayerFault::kFieldRefused);
    EXPECT_FALSE(layer.IsOpen());
    EXPECT_TRUE(layer.BasePath().empty());
    EXPECT_TRUE(CloseLayer(layer).ok());
    EXPECT_TRUE(files.empty());
  }
}

TEST(LayerFiles, FilesThatCannotBeMadeLeaveNoHalfLayer) {
  TempDir dir;
  Layer layer;
  FileSets files;
  EXPECT_EQ(OpenLayer(1, kShapeArc, "    ", {}, layer, files), LayerFault::kTableNotCreated);

  // A folder in the place of one file of the set: the set cannot be put in place, and none of
  // its other files is left under the layer's names.
  for (const char* blocked : {"Frame.shp", "Frame.PRJ", "Frame.qml"}) {
    SCOPED_TRACE(blocked);
    fs::create_directory(dir / blocked);
    ASSERT_EQ(OpenLayer(1, kShapeArc, BaseText(dir / "Frame"), kLineFields, layer, files), Fault{});
    layer.SetStyle("<qgis/>");
    ASSERT_EQ(
        WriteLineShape(layer, "1\\a\\b\\c\\d\\", std::vector{1.0, 2.0}, std::vector{3.0, 4.0}),
        Fault{});
    ASSERT_TRUE(CloseLayer(layer).ok());
    EXPECT_FALSE(layer.IsOpen());
    const Outcome put = PutOnDisk(files);
    files.clear();
    EXPECT_EQ(put.fault, PublishFault::kNotWritten);
    EXPECT_NE(put.reason.find(blocked), std::string::npos) << put.reason;
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, (std::vector<std::string>{blocked})) << "no file but the blocking folder";
    fs::remove(dir / blocked);
  }
}

TEST(LayerFiles, ALayerJoinsItsDestinationOnlyWhenClosed) {
  TempDir dir;
  const std::vector<FieldDef> fields = {{"L_code", {kFieldInteger, 8, 0}}};
  FileSets files;
  Layer kept;
  {
    Layer first;
    ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "A"), fields, first, files), Fault{});
    ASSERT_EQ(WritePointShape(first, "1\\", 37.0, 54.0), Fault{});
    Layer moved(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    ASSERT_EQ(WritePointShape(moved, "2\\", 37.5, 54.5), Fault{});
    kept = std::move(moved);
  }
  ASSERT_TRUE(kept.IsOpen());
  EXPECT_EQ(kept.recordCount, 2);
  EXPECT_TRUE(files.empty());  // nothing handed over while it is written
  ASSERT_TRUE(CloseLayer(kept).ok());
  ASSERT_EQ(files.size(), 1u);
  ASSERT_TRUE(PutOnDisk(files).ok());
  EXPECT_EQ(ReadShapes(dir / "A").value().shapes.size(), 2u);
  EXPECT_EQ(ReadTable(dir / "A").value().records.size(), 2u);

  // A layer abandoned (opened over, discarded or just dropped) hands over nothing.
  ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "B"), fields, kept, files), Fault{});
  ASSERT_EQ(WritePointShape(kept, "1\\", 37.0, 54.0), Fault{});
  ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "C"), fields, kept, files), Fault{});
  EXPECT_EQ(kept.recordCount, 0);
  DiscardLayer(kept);
  {
    Layer dropped;
    ASSERT_EQ(OpenLayer(1, kShapePoint, BaseText(dir / "D"), fields, dropped, files), Fault{});
  }
  EXPECT_TRUE(files.empty());
}

}  // namespace
}  // namespace mapbasis
