// Layers as GDAL, the reader behind QGIS, sees them: field declarations, Cyrillic values decoded
// from cp1251, the coordinate system from the .PRJ file and every coordinate.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp1251.h"
#include "shapeout/shape_writers.h"
#include "support/layer_readback.h"
#include "support/on_disk.h"
#include "support/run_process.h"
#include "support/temp_dir.h"

namespace mapbasis {
namespace {

// Debian's interpreter, the one with the GDAL bindings.
constexpr const char* kGdalPython = "/usr/bin/python3";

constexpr const char* kDescribeLayer = R"(
import sys
from osgeo import ogr
ogr.UseExceptions()
source = ogr.Open(sys.argv[1])
layer = source.GetLayer(0)
definition = layer.GetLayerDefn()
lines = [layer.GetSpatialRef().GetName()]
for i in range(definition.GetFieldCount()):
    f = definition.GetFieldDefn(i)
    lines.append('%s %s(%d,%d)' % (f.GetName(), f.GetTypeName(), f.GetWidth(), f.GetPrecision()))
for feature in layer:
    geometry = feature.GetGeometryRef()
    values = [str(feature.GetField(i)) for i in range(definition.GetFieldCount())]
    points = ['%r %r' % point[:2] for point in geometry.GetPoints()]
    lines.append('|'.join(values + [geometry.GetGeometryName()] + points))
sys.stdout.buffer.write('\n'.join(lines).encode('utf-8'))
)";

TEST(GdalReadback, LineLayerWithCyrillicText) {
  FileSets files;
  testing::TempDir dir;
  const std::vector<FieldDef> fields = {{"L_code", {kFieldInteger, 6, 0}},
                                        {"Text", {kFieldString, 40, 0}}};
  {
    Layer layer;
    ASSERT_EQ(OpenLayer(2, kShapeArc, testing::BaseText(dir / "HypsL"), fields, layer, files),
              Fault{});
    const std::vector<double> x = {37.0, 38.0}, y = {54.666666666666664, 54.666666666666664};
    ASSERT_EQ(WriteLineShape(layer, Cp1251("400011\\Параллель\\"), x, y), Fault{});
    const std::vector<double> x2 = {37.25, 37.25, 37.25}, y2 = {54.0, 54.3, 54.666666666666664};
    ASSERT_EQ(WriteLineShape(layer, Cp1251("  -1 \\ Меридиан 37°15'  \\"), x2, y2), Fault{});
    ASSERT_TRUE(testing::CloseOnDisk(layer, files).ok());
  }

  const testing::ProcessResult gdal =
      testing::RunProcess({kGdalPython, "-c", kDescribeLayer, (dir / "HypsL.shp").string()});
  ASSERT_EQ(gdal.exitStatus, 0) << gdal.err;
  EXPECT_EQ(gdal.out,
            "GCS_Pulkovo_1965\n"
            "Id Integer(6,0)\n"
            "L_code Integer(6,0)\n"
            "Text String(40,0)\n"
            "1|400011|Параллель|LINESTRING|37.0 54.666666666666664|38.0 54.666666666666664\n"
            "2|-1|Меридиан 37°15'|LINESTRING|37.25 54.0|37.25 54.3|37.25 54.666666666666664");
}

}  // namespace
}  // namespace mapbasis
