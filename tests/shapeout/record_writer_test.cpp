#include "shapeout/record_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/layer_readback.h"
#include "support/on_disk.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

using testing::BaseText;
using testing::ReadTable;
using testing::TempDir;
using testing::Trimmed;

const std::vector<FieldDef> kAreaFields = {{"L_code", {kFieldInteger, 6, 0}},
                                           {"Name", {kFieldString, 100, 0}}};

TEST(RecordWriter, RecordNumberPicksTheTableRow) {
  FileSets files;
  TempDir dir;
  Layer layer;
  ASSERT_EQ(OpenLayer(1, kShapeArc, BaseText(dir / "L"), kAreaFields, layer, files), Fault{});
  EXPECT_EQ(WriteAttributeRecord(layer, 1, 7, "1\\a\\"), Fault{});
  EXPECT_EQ(WriteAttributeRecord(layer, 3, 8, "1\\a\\"), RecordFault::kValueRefused);  // a gap
  EXPECT_EQ(WriteAttributeRecord(layer, 0, 8, "1\\a\\"), RecordFault::kValueRefused);
  EXPECT_EQ(WriteAttributeRecord(layer, 1, 9, "2\\b\\"), Fault{});  // rewritten
  EXPECT_EQ(WriteAttributeRecord(layer, 2, 1000000, ""), RecordFault::kValueRefused);
  EXPECT_EQ(WriteAttributeRecord(layer, 3, 10, "3\\c"), RecordFault::kMalformed);
  testing::CloseOnDisk(layer, files);

  const auto table = ReadTable(dir / "L");
  ASSERT_TRUE(table);
  ASSERT_EQ(table->records.size(), 3u);
  EXPECT_EQ(Trimmed(table->records[0][0]), "9");
  EXPECT_EQ(Trimmed(table->records[0][2]), "b");
  EXPECT_EQ(Trimmed(table->records[2][0]), "10");
  EXPECT_EQ(Trimmed(table->records[2][1]), "3");
}

}  // namespace
}  // namespace mapbasis
