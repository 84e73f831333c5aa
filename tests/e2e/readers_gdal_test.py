"""Every layer a run writes satisfies GDAL's readers, for every sample at every scale of its series.

Each sample of examples/ runs at each scale of its series (1:200 000 series: 200, 500, 1000;
1:1 000 000 series: 1000, 2500, 5000). Every layer found in the result folder, whichever folder
and name it has, must then
  - open with `ogrinfo -al -so` without a warning,
  - convert with `ogr2ogr` to GeoPackage and to GeoJSON without a warning, keeping its features,
  - hold valid polygons whose outer rings run clockwise and inner rings counter-clockwise,
  - carry a .PRJ that GDAL reads as a geographic coordinate system on the system's ellipsoid.

Usage: readers_gdal_test.py MAPBASIS_EXE SOURCE_DIR
"""
import concurrent.futures
import glob
import os
import re
import subprocess
import sys
import tempfile
import unittest

from osgeo import gdal, ogr, osr

gdal.UseExceptions()
ogr.UseExceptions()
osr.UseExceptions()

EXE = os.path.abspath(sys.argv[1])
SOURCE = os.path.abspath(sys.argv[2])

SCALES = {"200k": (200, 500, 1000), "1m": (1000, 2500, 5000)}
# Semi-major axis and inverse flattening of each system's ellipsoid: Krasovsky 1940 for СК-42 and
# СК-95, the ГСК-2011 ellipsoid for ГСК-2011.
ELLIPSOIDS = {"CK-42": (6378245.0, 298.3), "CK-95": (6378245.0, 298.3),
              "ГCK-2011": (6378136.5, 298.2564151)}
HYPS_LAYERS = ("HYPS/HypsA", "HYPS/HypsP", "HYPS/HypsL")


def item(text, key):
    """A key's value in a parameter file, which is UTF-8 (the samples, with their mark) or cp1251."""
    found = re.search(rb"(?:^|[;\s\xbf])" + key.encode() + rb"\s*=\s*([^;]*);", text)
    if not found:
        return None
    value = found.group(1)
    try:
        return value.decode("utf-8").strip()
    except UnicodeDecodeError:
        return value.decode("cp1251").strip()


def series(sheet_name):
    """A 1:1 000 000 sheet is a row and a zone (N-37, N37(2)); anything longer is 1:200 000."""
    return "1m" if re.fullmatch(r"[A-Za-z]-?\d{1,2}(\(\d+\))?", sheet_name) else "200k"


def at_scale(text, scale):
    """The parameter file with MapScale set to `scale` (after Nom, where the program wants it)."""
    if re.search(rb"MapScale\s*=", text):
        return re.sub(rb"MapScale\s*=\s*[^;]*;", b"MapScale=%d;" % scale, text)
    return re.sub(rb"(Nom\s*=[^;]*;)", rb"\1MapScale=%d;" % scale, text, count=1)


def tool(*argv):
    """Runs a GDAL program; what it said on stderr (its warnings), or its failure."""
    result = subprocess.run(argv, capture_output=True, text=True)
    said = result.stderr.strip()
    if result.returncode != 0:
        said = f"exit status {result.returncode}: {said}"
    return said


def layer_name(base):
    """HYPS/HypsA for .../HYPS/HypsA."""
    return "/".join(base.split(os.sep)[-2:])


def clockwise(ring):
    """Whether a ring runs clockwise (negative area by the shoelace formula)."""
    points = ring.GetPoints()
    area = sum(x0 * y1 - x1 * y0 for (x0, y0, *_), (x1, y1, *_) in zip(points, points[1:]))
    return area < 0


def open_layer(path):
    """The layer of a single-layer file, holding its dataset: GDAL drops a layer whose dataset
    is gone."""
    dataset = ogr.Open(path)
    layer = dataset.GetLayer(0)
    layer.dataset = dataset
    return layer


class Warnings:
    """Collects what GDAL reports through its error handler while in use."""

    def __enter__(self):
        self.messages = []
        gdal.PushErrorHandler(lambda cls, no, msg: self.messages.append(msg))
        return self.messages

    def __exit__(self, *exc):
        gdal.PopErrorHandler()


class EveryReaderSatisfied(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory(prefix="mapbasis-readers-")
        cls.runs = []  # what ran, e.g. "sheet-1m-N-37.txt at 2500"
        cls.failed_runs = []
        cls.layers = []  # (run, layer path without extension, coordinate system)
        for sample in sorted(glob.glob(os.path.join(SOURCE, "examples", "*.txt"))):
            with open(sample, "rb") as f:
                text = f.read()
            system = item(text, "CS") or "CK-42"
            for scale in SCALES[series(item(text, "Nom"))]:
                cls.runs.append(f"{os.path.basename(sample)} at {scale}")
                workdir = os.path.join(cls.tmp.name, str(len(cls.runs)))
                os.makedirs(workdir)
                with open(os.path.join(workdir, "params.txt"), "wb") as f:
                    f.write(at_scale(text, scale))
                run = subprocess.run([EXE, "params.txt"], cwd=workdir, capture_output=True)
                if run.returncode != 0 or run.stderr:
                    cls.failed_runs.append(f"{cls.runs[-1]}: exit {run.returncode} {run.stderr!r}")
                result = glob.escape(os.path.join(workdir, item(text, "Path")))
                for shp in sorted(glob.glob(os.path.join(result, "*", "*.shp"))):
                    cls.layers.append((cls.runs[-1], shp[:-4], system))
        cls.pool = concurrent.futures.ThreadPoolExecutor(max_workers=2)

    @classmethod
    def tearDownClass(cls):
        cls.pool.shutdown()
        cls.tmp.cleanup()

    def sub_test(self, layer):
        label, base, _ = layer
        return self.subTest(run=label, layer=layer_name(base))

    def test_every_run_succeeds_with_its_graticule_layers(self):
        self.assertEqual(self.failed_runs, [])
        self.assertGreaterEqual(len(self.runs), 15)
        for run in self.runs:
            with self.subTest(run=run):
                found = {layer_name(base) for label, base, _ in self.layers if label == run}
                self.assertLessEqual(set(HYPS_LAYERS), found)

    def test_opens_in_ogrinfo_without_warning(self):
        said = self.pool.map(lambda layer: tool("ogrinfo", "-al", "-so", layer[1] + ".shp"),
                             self.layers)
        for layer, message in zip(self.layers, said):
            with self.sub_test(layer):
                self.assertEqual(message, "")

    def test_converts_to_geopackage_and_geojson_without_warning(self):
        formats = (("GPKG", ".gpkg"), ("GeoJSON", ".geojson"))

        def convert(layer):  # in a worker thread: GDAL's programs only
            return {driver: tool("ogr2ogr", "-f", driver, layer[1] + "-converted" + extension,
                                 layer[1] + ".shp") for driver, extension in formats}

        for layer, said in zip(self.layers, self.pool.map(convert, self.layers)):
            with self.sub_test(layer), Warnings() as warnings:
                self.assertEqual(said, {"GPKG": "", "GeoJSON": ""})
                features = open_layer(layer[1] + ".shp").GetFeatureCount()
                for _, extension in formats:
                    converted = open_layer(layer[1] + "-converted" + extension)
                    self.assertEqual(converted.GetFeatureCount(), features, extension)
                self.assertEqual(warnings, [])

    def test_polygons_are_valid_and_clockwise(self):
        for layer in self.layers:
            with self.sub_test(layer), Warnings() as warnings:
                shapes = open_layer(layer[1] + ".shp")
                if ogr.GT_Flatten(shapes.GetGeomType()) != ogr.wkbPolygon:
                    continue
                for feature in shapes:
                    polygon = feature.GetGeometryRef()
                    rings = [polygon.GetGeometryRef(i) for i in range(polygon.GetGeometryCount())]
                    self.assertTrue(polygon.IsValid(), f"feature {feature.GetFID()}")
                    self.assertEqual([clockwise(r) for r in rings],
                                     [True] + [False] * (len(rings) - 1),
                                     f"feature {feature.GetFID()}: outer ring first, clockwise")
                self.assertEqual(warnings, [])

    def test_projection_is_geographic_on_the_systems_ellipsoid(self):
        for layer in self.layers:
            with self.sub_test(layer), Warnings() as warnings:
                srs = open_layer(layer[1] + ".shp").GetSpatialRef()
                self.assertIsNotNone(srs, "no coordinate system")
                self.assertTrue(srs.IsGeographic() and not srs.IsProjected())
                semi_major, inverse_flattening = ELLIPSOIDS[layer[2]]
                self.assertAlmostEqual(srs.GetSemiMajor(), semi_major, places=6)
                self.assertAlmostEqual(srs.GetInvFlattening(), inverse_flattening, places=9)
                self.assertEqual(srs.GetAngularUnitsName().lower(), "degree")
                self.assertEqual(warnings, [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
