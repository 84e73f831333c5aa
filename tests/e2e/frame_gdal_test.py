"""Reads the FRAME layers of a batch run back with GDAL, an independent reader.

Usage: frame_gdal_test.py MAPBASIS_EXE SOURCE_DIR
"""
import os
import subprocess
import sys
import tempfile
import unittest

from osgeo import ogr

ogr.UseExceptions()

EXE = os.path.abspath(sys.argv[1])
SOURCE = os.path.abspath(sys.argv[2])
LABEL_FIELDS = [("Id", "Integer", 6), ("L_code", "Integer", 8), ("Text", "String", 100),
                ("Font", "String", 100), ("Size", "String", 100)]


def read(path):
    ds = ogr.Open(path)  # the layer lives only as long as its data source
    layer = ds.GetLayer(0)
    defn = layer.GetLayerDefn()
    fields = [(defn.GetFieldDefn(i).GetName(), defn.GetFieldDefn(i).GetTypeName(),
               defn.GetFieldDefn(i).GetWidth()) for i in range(defn.GetFieldCount())]
    rows = [(f.items(), f.GetGeometryRef().Clone()) for f in layer]
    return layer.GetGeomType(), fields, rows


class StandardSheetFrame(unittest.TestCase):
    def test_layers(self):
        with tempfile.TemporaryDirectory() as tmp:
            params = os.path.join(SOURCE, "examples", "sheet-200k-N-37-XIV.txt")
            result = subprocess.run([EXE, params], cwd=tmp, capture_output=True)
            self.assertEqual(result.returncode, 0, result.stderr)
            folder = os.path.join(tmp, "results", "N-37-XIV", "FRAME")

            kind, fields, rows = read(os.path.join(folder, "Frame.shp"))
            self.assertEqual(kind, ogr.wkbLineString)
            self.assertEqual(fields, [("Id", "Integer", 6), ("L_code", "Integer", 8)])
            self.assertEqual(len(rows), 330)
            self.assertEqual([r[0]["Id"] for r in rows], list(range(1, 331)))
            ring = rows[0][1]
            self.assertEqual(ring.GetPoint_2D(0), ring.GetPoint_2D(ring.GetPointCount() - 1))

            _, fields, rows = read(os.path.join(folder, "FrameAdj.shp"))
            self.assertEqual(fields, LABEL_FIELDS)
            self.assertEqual([r[0]["Text"] for r in rows],
                             ["N-37-VIII", "N-37-XX", "N-37-XIII", "N-37-XV"])

            _, fields, rows = read(os.path.join(folder, "FrameDig.shp"))
            self.assertEqual(fields, LABEL_FIELDS)
            self.assertEqual(rows[0][0], {"Id": 1, "L_code": 400912, "Text": "54°",
                                          "Font": "FreeSet", "Size": "6.50"})
            self.assertEqual(rows[20][0]["Text"], "37° 00'")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
