"""Reads the HYPS layers of a batch run back with GDAL, an independent reader.

Usage: hyps_gdal_test.py MAPBASIS_EXE SOURCE_DIR
"""
import os
import subprocess
import sys
import tempfile
import unittest

from osgeo import ogr, osr

ogr.UseExceptions()
osr.UseExceptions()

EXE = os.path.abspath(sys.argv[1])
SOURCE = os.path.abspath(sys.argv[2])
H = 2.0 / 3.0

GSK_2011 = ('GEOGCS["GCS_RUSSIA_2011",DATUM["D_RUSSIA_2011",SPHEROID["S_RUSSIA_2011", '
            '6378136.5,298.2564151]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]]')


def run_sheet(params_name, workdir):
    params = os.path.join(SOURCE, "examples", params_name)
    result = subprocess.run([EXE, params], cwd=workdir, capture_output=True)
    if result.returncode != 0:
        raise AssertionError(f"exit {result.returncode}: {result.stderr!r}")
    return result


def features(path):
    ds = ogr.Open(path)
    layer = ds.GetLayer(0)
    defn = layer.GetLayerDefn()
    fields = [(defn.GetFieldDefn(i).GetName(), defn.GetFieldDefn(i).GetTypeName(),
               defn.GetFieldDefn(i).GetWidth(), defn.GetFieldDefn(i).GetPrecision())
              for i in range(defn.GetFieldCount())]
    rows = []
    for f in layer:
        g = f.GetGeometryRef()
        rows.append(({name: f.GetField(name) for name, *_ in fields},
                     g.GetGeometryName(), g.Clone()))
    return ds, layer, fields, rows


class StandardSheet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        run_sheet("sheet-200k-N-37-XIV.txt", cls.tmp.name)
        cls.hyps = os.path.join(cls.tmp.name, "results", "N-37-XIV", "HYPS")

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_nodes(self):
        _, layer, fields, rows = features(os.path.join(self.hyps, "HypsP.shp"))
        self.assertEqual(layer.GetGeomType(), ogr.wkbPoint)
        self.assertEqual(fields, [("Id", "Integer", 6, 0), ("L_code", "Integer", 6, 0),
                                  ("Lat", "String", 20, 0), ("Lon", "String", 20, 0)])
        self.assertEqual(len(rows), 81)
        south = 56 - 2 * H - H
        first, ninth, tenth = rows[0][2], rows[8][2], rows[9][2]
        self.assertEqual((first.GetX(), first.GetY()), (37.0, south))
        self.assertEqual((ninth.GetX(), ninth.GetY()), (38.0, south))
        self.assertEqual((tenth.GetX(), tenth.GetY()), (37.0, south + 1.0 / 12.0))
        self.assertEqual(rows[0][0], {"Id": 1, "L_code": -1, "Lat": "54°00'00\"",
                                      "Lon": "37°00'00\""})
        self.assertEqual(rows[80][0]["Lat"], "54°40'00\"")
        self.assertEqual([r[0]["Id"] for r in rows], list(range(1, 82)))

    def test_lines(self):
        _, layer, fields, rows = features(os.path.join(self.hyps, "HypsL.shp"))
        self.assertEqual(layer.GetGeomType(), ogr.wkbLineString)
        self.assertEqual(fields, [("Id", "Integer", 6, 0), ("L_code", "Integer", 6, 0),
                                  ("Text", "String", 40, 0), ("Grad", "String", 5, 0),
                                  ("Min", "String", 7, 0), ("Indication", "String", 5, 0)])
        self.assertEqual([r[0]["L_code"] for r in rows], [400011] * 3 + [400012] * 3 + [400010])
        self.assertEqual(rows[0][0], {"Id": 1, "L_code": 400011, "Text": "Параллель",
                                      "Grad": "54°", "Min": "10'", "Indication": "с.ш."})
        self.assertEqual(rows[3][0], {"Id": 4, "L_code": 400012, "Text": "Меридиан",
                                      "Grad": "37°", "Min": "15'", "Indication": "в.д."})
        self.assertEqual(rows[6][0]["Text"], "Рамка")
        self.assertIsNone(rows[6][0]["Grad"] or None)
        outline = rows[6][2]
        self.assertEqual(outline.GetPointCount(), 33)
        self.assertEqual(outline.GetPoint_2D(0), (37.0, 56 - 2 * H))
        self.assertEqual(outline.GetPoint_2D(32), (37.0, 56 - 2 * H))
        parallel = rows[0][2]
        self.assertEqual(parallel.GetPointCount(), 9)
        self.assertEqual(parallel.GetPoint_2D(8), (38.0, 56 - 2 * H - H + 1.0 / 6.0))

    def test_area(self):
        _, layer, fields, rows = features(os.path.join(self.hyps, "HypsA.shp"))
        self.assertEqual(layer.GetGeomType(), ogr.wkbPolygon)
        self.assertEqual(fields, [("Id", "Integer", 6, 0), ("L_code", "Integer", 6, 0),
                                  ("Name", "String", 100, 0)])
        self.assertEqual(len(rows), 1)
        self.assertEqual(rows[0][0], {"Id": 1, "L_code": -1, "Name": "N-37-XIV"})
        self.assertAlmostEqual(rows[0][2].GetArea(), 1.0 * H, places=12)

    def test_projection(self):
        for name in ("HypsA", "HypsP", "HypsL"):
            with open(os.path.join(self.hyps, name + ".PRJ"), "rb") as f:
                self.assertEqual(f.read(), GSK_2011.encode("ascii") + b"\r\n")
            ds = ogr.Open(os.path.join(self.hyps, name + ".shp"))
            srs = ds.GetLayer(0).GetSpatialRef()
            self.assertTrue(srs.IsGeographic())
            self.assertAlmostEqual(srs.GetSemiMajor(), 6378136.5)


class WesternSheet(unittest.TestCase):
    def test_west_longitudes(self):
        with tempfile.TemporaryDirectory() as tmp:
            run_sheet("sheet-1m-western-U-01.txt", tmp)
            _, _, _, rows = features(os.path.join(tmp, "results", "U-01", "HYPS", "HypsL.shp"))
            meridians = [r[0] for r in rows if r[0]["L_code"] == 400012]
            self.assertEqual([(m["Grad"], m["Indication"]) for m in meridians],
                             [("179°", "з.д."), ("178°", "з.д."), ("177°", "з.д."),
                              ("176°", "з.д."), ("175°", "з.д.")])
            _, _, _, nodes = features(os.path.join(tmp, "results", "U-01", "HYPS", "HypsP.shp"))
            self.assertEqual(len(nodes), 625)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
