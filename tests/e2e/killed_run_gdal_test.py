"""A run killed at any file operation leaves every layer whole or without its .shp, and the project
old, new or not there; the next run mends the folders, sweeping what the killed run moved aside.
The kills are placed, not timed: strace kills the program at the k-th unlink or rename (the
renames into hidden names and into free final names are renameat2), for every k that a rewrite
reaches.

Usage: killed_run_gdal_test.py MAPBASIS_EXE SOURCE_DIR
"""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from osgeo import gdal, ogr

ogr.UseExceptions()
gdal.PushErrorHandler("CPLQuietErrorHandler")

EXE = os.path.abspath(sys.argv[1])
STRACE = shutil.which("strace")
LAYER_FILES = (".shp", ".shx", ".dbf", ".PRJ")
# The earlier run writes all three FRAME layers; the killed one, at 1:500 000, no FrameAdj.
OLD = "Nom=N-37-XIV;Path=out;CS=CK-95;"
NEW = "Nom=N-37-XV;Path=out;MapScale=500;CS=ГCK-2011;"


def traced(*options):
    """strace with the options; a sanitized program cannot look for leaks while it is traced."""
    return (STRACE, "-f", "-qq", "-E", "ASAN_OPTIONS=detect_leaks=0", *options)


def run(cwd, params, *prefix):
    with open(os.path.join(cwd, "p.txt"), "w", encoding="utf-8") as f:
        f.write(params)
    return subprocess.run([*prefix, EXE, "p.txt"], cwd=cwd, capture_output=True)


def layers(folder):
    """Layer names of the folder: every name that has a .shp."""
    return sorted(n[:-4] for n in os.listdir(folder) if n.lower().endswith(".shp"))


def count_calls(cwd, syscall):
    trace = os.path.join(cwd, "trace")
    result = run(cwd, NEW, *traced("-o", trace, "-e", "trace=" + syscall))
    assert result.returncode == 0, result.stderr
    with open(trace) as f:
        return sum(1 for line in f if syscall + "(" in line)


@unittest.skipIf(STRACE is None, "needs strace")
class KilledRewrite(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        root = self.tmp.name
        # What the folders hold before the rewrite, and what the rewrite makes of them.
        self.old = os.path.join(root, "old")
        self.new = os.path.join(root, "new")
        for where, params in ((self.old, OLD), (self.new, NEW)):
            os.makedirs(where)
            result = run(where, params)
            self.assertEqual(result.returncode, 0, result.stderr)

    def tearDown(self):
        self.tmp.cleanup()

    def assert_whole(self, folder, sub, trace):
        """Every layer present is all old or all new, and GDAL reads it."""
        for name in layers(os.path.join(folder, sub)):
            files = [os.path.join(folder, sub, name + ext) for ext in LAYER_FILES]
            for f in files:
                self.assertTrue(os.path.isfile(f), f"{trace}: {f} missing")
            versions = [os.path.join(v, "out", sub) for v in (self.old, self.new)]
            same = [all(filecmp.cmp(f, os.path.join(v, os.path.basename(f)), shallow=False)
                        for f in files)
                    for v in versions if os.path.exists(os.path.join(v, name + ".shp"))]
            self.assertIn(True, same, f"{trace}: {sub}/{name} mixes files of two runs")
            ds = ogr.Open(files[0])
            layer = ds.GetLayer(0)
            self.assertGreater(layer.GetFeatureCount(), 0, f"{trace}: {sub}/{name}")
            self.assertIsNotNone(layer.GetSpatialRef(), f"{trace}: {sub}/{name} has no CRS")

    def assert_project(self, folder, trace):
        project = os.path.join(folder, "mapbasis.qgs")
        if os.path.exists(project):
            self.assertIn(True, [filecmp.cmp(project, os.path.join(v, "out", "mapbasis.qgs"),
                                             shallow=False) for v in (self.old, self.new)],
                          f"{trace}: the project is neither the old nor the new one")

    def test_kill_at_every_unlink_and_rename(self):
        counts = {}
        for call in ("unlink", "rename", "renameat2"):
            probe = os.path.join(self.tmp.name, "probe")
            shutil.copytree(self.old, probe)
            counts[call] = count_calls(probe, call)
            shutil.rmtree(probe)
        # The rewrite moves 31 old files aside and renames its five new .shp files and its project
        # into place (renameat2), then sweeps the old ones (unlink).
        self.assertGreaterEqual(counts["unlink"], 31)
        self.assertGreaterEqual(counts["renameat2"], 37)

        for syscall, count in counts.items():
            for k in range(1, count + 1):
                trace = f"killed at {syscall} {k} of {count}"
                work = os.path.join(self.tmp.name, f"{syscall}{k}")
                shutil.copytree(self.old, work)
                killed = run(work, NEW,
                             *traced("-o", os.devnull, f"-einject={syscall}:signal=KILL:when={k}"))
                self.assertNotEqual(killed.returncode, 0, trace)
                for sub in ("HYPS", "FRAME"):
                    self.assert_whole(os.path.join(work, "out"), sub, trace)
                self.assert_project(os.path.join(work, "out"), trace)

                # The next run ends well and leaves exactly the new layers, no hidden file.
                again = run(work, NEW)
                self.assertEqual(again.returncode, 0, f"{trace}: {again.stderr}")
                for sub in ("", "HYPS", "FRAME"):
                    left = sorted(os.listdir(os.path.join(work, "out", sub)))
                    self.assertEqual(left, sorted(os.listdir(os.path.join(self.new, "out", sub))),
                                     trace)
                for sub in ("HYPS", "FRAME"):
                    self.assert_whole(os.path.join(work, "out"), sub, trace)
                shutil.rmtree(work)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
