#include "shapeout/layer_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files.h"
#include "shapeout/shape_writers.h"
#include "support/layer_readback.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace mapbasis {
namespace {

using testing::BaseText;
using testing::CloseOnDisk;
using testing::ReadShapes;
using testing::ReadTable;
using testing::TempDir;

const std::vector<FieldDef> kFields = {{"L_code", {kFieldInteger, 6, 0}}};

TEST(LayerOutput, OpensTheLayerInItsFolderAndNamesItOnFailure) {
  TempDir dir;
  Layer layer;
  FileSets files;
  ASSERT_TRUE(
      OpenLayerIn(1, NamedPathOf(BaseText(dir.path())), "HypsL", kShapeArc, kFields, layer, files)
          .ok());
  EXPECT_EQ(layer.BasePath(), BaseText(dir.path()) + platform::kPathSeparator + "HypsL");
  ASSERT_TRUE(CloseOnDisk(layer, files).ok());
  EXPECT_TRUE(ReadTable(dir / "HypsL"));

  const std::string deep = BaseText(dir.path()) + platform::kPathSeparator + std::string(250, 'x');
  const Outcome failed =
      OpenLayerIn(1, NamedPathOf(deep), "HypsA", kShapePolygon, kFields, layer, files);
  EXPECT_EQ(failed.fault, LayerFault::kBasePathTooLong);
  // What failed is said in words, not by a code.
  EXPECT_EQ(failed.reason, "cannot create the layer \"" + deep + platform::kPathSeparator +
                               "HypsA\": its path is longer than 255 characters");
  EXPECT_FALSE(layer.IsOpen());
}

TEST(LayerOutput, TheLayerTakesItsStyleAlong) {
  TempDir dir;
  const LayerStyles styles = [](const LayerSpec& layer) {
    return layer.id == SheetLayer::HypsL ? std::string("<qgis>HypsL</qgis>") : std::string();
  };
  const ResultFolders folders{.hyps = NamedPathOf(BaseText(dir.path()))};
  for (const SheetLayer id : {SheetLayer::HypsL, SheetLayer::HypsP}) {
    const LayerSpec& spec = LayerOf(id);
    Layer layer;
    FileSets files;
    ASSERT_TRUE(OpenLayerIn(1, folders, spec, layer, files, styles).ok());
    EXPECT_TRUE(files.empty());  // not before the layer
    ASSERT_TRUE(CloseOnDisk(layer, files).ok());
  }
  std::ifstream in(dir / "HypsL.qml", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "<qgis>HypsL</qgis>");
  EXPECT_FALSE(fs::exists(dir / "HypsP.qml"));  // an empty style writes no file
}

TEST(LayerOutput, ALineTheWorkArraysCouldNotHoldIsNotWritten) {
  TempDir dir;
  Layer layer;
  FileSets files;
  ASSERT_TRUE(
      OpenLayerIn(1, NamedPathOf(BaseText(dir.path())), "L", kShapeArc, kFields, layer, files)
          .ok());
  VertexWork work;
  work.Append(37.0, 54.0);
  work.Append(38.0, 54.0);
  ASSERT_TRUE(WriteWorkLine(layer, "400011\\", work).ok());

  work.MarkIncomplete();
  const Outcome incomplete = WriteWorkLine(layer, "400011\\", work);
  EXPECT_EQ(incomplete.fault, ShapeFault::kNotWritten);
  EXPECT_NE(incomplete.reason.find("needs more than 10000 vertices"), std::string::npos);
  EXPECT_EQ(layer.recordCount, 1);  // no record was begun for it

  work.Clear();
  work.Append(37.0, 54.0);
  const Outcome malformed = WriteWorkLine(layer, "400011", work);
  EXPECT_EQ(malformed.fault, ShapeFault::kMalformedText);
  EXPECT_NE(malformed.reason.find("cannot write record 2 of the layer"), std::string::npos);
  // A point is refused by a line layer before its record is begun.
  EXPECT_EQ(WritePointRecord(layer, "1\\", 37.0, 54.0).fault, ShapeFault::kNotWritten);
  ASSERT_TRUE(CloseOnDisk(layer, files).ok());
  EXPECT_EQ(ReadShapes(dir / "L").value().shapes.size(), 1u);
}

}  // namespace
}  // namespace mapbasis
