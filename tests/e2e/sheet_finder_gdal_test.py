"""--find and --index as a user runs them, the index read back with GDAL, an independent reader.

Usage: sheet_finder_gdal_test.py MAPBASIS_EXE SOURCE_DIR
"""
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

from osgeo import ogr

ogr.UseExceptions()

EXE = os.path.abspath(sys.argv[1])
H = 2.0 / 3.0

CK_42 = ('GEOGCS["GCS_Pulkovo_1942",DATUM["D_Pulkovo_1942",SPHEROID["Krasovsky_1940", '
         '6378245.0,298.3]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]]')


def mapbasis(args, cwd):
    return subprocess.run([EXE] + args, cwd=cwd, capture_output=True, timeout=120)


def index_features(folder):
    ds = ogr.Open(os.path.join(folder, "SheetIndex.shp"))
    layer = ds.GetLayer(0)
    defn = layer.GetLayerDefn()
    fields = [(defn.GetFieldDefn(i).GetName(), defn.GetFieldDefn(i).GetTypeName(),
               defn.GetFieldDefn(i).GetWidth()) for i in range(defn.GetFieldCount())]
    rows = [({name: f.GetField(name) for name, *_ in fields}, f.GetGeometryRef().Clone())
            for f in layer]
    return ds, layer, fields, rows


class Find(unittest.TestCase):
    def test_done_when(self):
        with tempfile.TemporaryDirectory() as tmp:
            for args in (["55.75", "37.62"], ["55°45'", "37°37'"]):
                r = mapbasis(["--find"] + args, tmp)
                self.assertEqual((r.returncode, r.stdout, r.stderr), (0, b"N-37\nN-37-II\n", b""))
            r = mapbasis(["--find", "91", "37"], tmp)
            self.assertEqual(r.returncode, 8)
            self.assertEqual(r.stdout, b"")
            self.assertTrue(r.stderr.startswith(b"mapbasis: ") and r.stderr.count(b"\n") == 1)
            self.assertEqual(os.listdir(tmp), [])


class Index(unittest.TestCase):
    def test_done_when(self):
        with tempfile.TemporaryDirectory() as tmp:
            r = mapbasis(["--index", "55.1", "37.1", "55.9", "38.9", "idx"], tmp)
            self.assertEqual((r.returncode, r.stdout, r.stderr), (0, b"", b""))
            folder = os.path.join(tmp, "idx")
            self.assertEqual(sorted(os.listdir(folder)),
                             ["SheetIndex.PRJ", "SheetIndex.dbf", "SheetIndex.qml",
                              "SheetIndex.shp", "SheetIndex.shx"])
            _, layer, fields, rows = index_features(folder)
            self.assertEqual(layer.GetGeomType(), ogr.wkbPolygon)
            self.assertEqual(fields, [("Id", "Integer", 6), ("Name", "String", 20),
                                      ("AdjWest", "String", 20), ("AdjEast", "String", 20),
                                      ("AdjNorth", "String", 20), ("AdjSouth", "String", 20)])
            self.assertEqual([a["Name"] for a, _ in rows],
                             ["N-37-II", "N-37-III", "N-37-VIII", "N-37-IX"])
            self.assertEqual(rows[0][0], {"Id": 1, "Name": "N-37-II", "AdjWest": "N-37-I",
                                          "AdjEast": "N-37-III", "AdjNorth": "O-37-XXXII",
                                          "AdjSouth": "N-37-VIII"})
            first = rows[0][1]
            self.assertEqual(first.GetEnvelope(), (37.0, 38.0, 56 - H, 56.0))
            self.assertAlmostEqual(first.GetArea(), H, places=12)
            with open(os.path.join(folder, "SheetIndex.PRJ"), "rb") as f:
                self.assertEqual(f.read(), CK_42.encode("ascii") + b"\r\n")
            self.assertTrue(layer.GetSpatialRef().IsGeographic())
            # The style labels each sheet with its name.
            style = ET.parse(os.path.join(folder, "SheetIndex.qml")).getroot()
            self.assertEqual(style.get("labelsEnabled"), "1")
            self.assertEqual(style.find("labeling/settings/text-style").get("fieldName"), "Name")

    def test_ring_is_the_sheets_own_area(self):
        """The sheet's polygon is the HypsA polygon of a run of that sheet, vertex for vertex."""
        with tempfile.TemporaryDirectory() as tmp:
            with open(os.path.join(tmp, "p.txt"), "wb") as f:
                f.write("CS=ГCK-2011;\nNom=N-37-II;\nPath=sheet;\n".encode("cp1251"))
            self.assertEqual(mapbasis(["p.txt"], tmp).returncode, 0)
            r = mapbasis(["--index", "55.5", "37.5", "55.5", "37.5", "idx", "--cs", "ГCK-2011"],
                         tmp)
            self.assertEqual(r.returncode, 0, r.stderr)
            _, _, _, rows = index_features(os.path.join(tmp, "idx"))
            self.assertEqual([a["Name"] for a, _ in rows], ["N-37-II"])
            hyps = ogr.Open(os.path.join(tmp, "sheet", "HYPS", "HypsA.shp"))
            feature = hyps.GetLayer(0).GetNextFeature()
            area = feature.GetGeometryRef()
            self.assertEqual(rows[0][1].GetGeometryRef(0).GetPoints(),
                             area.GetGeometryRef(0).GetPoints())
            for name in ("idx/SheetIndex.PRJ", "sheet/HYPS/HypsA.PRJ"):
                with open(os.path.join(tmp, name), "rb") as f:
                    self.assertIn(b"GCS_RUSSIA_2011", f.read())

    def test_box_across_the_180th_meridian(self):
        with tempfile.TemporaryDirectory() as tmp:
            r = mapbasis(["--index", "63.9", "178.5", "64.5", "-178.5", "idx", "--scale", "200"],
                         tmp)
            self.assertEqual(r.returncode, 0, r.stderr)
            _, _, _, rows = index_features(os.path.join(tmp, "idx"))
            self.assertEqual([a["Name"] for a, _ in rows],
                             ["Q-60-XXXV", "Q-60-XXXVI", "Q-01-XXXI", "Q-01-XXXII",
                              "P-60-V", "P-60-VI", "P-01-I", "P-01-II"])
            zone60, zone1 = rows[1], rows[2]
            self.assertEqual(zone60[0]["AdjEast"], "Q-01-XXXI")
            self.assertEqual(zone1[0]["AdjWest"], "Q-60-XXXVI")
            self.assertEqual(zone60[1].GetEnvelope()[:2], (179.0, 180.0))
            self.assertEqual(zone1[1].GetEnvelope()[:2], (180.0, 181.0))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
