#!/usr/bin/env python3
"""The Windows build under Wine, against the Linux build as the reference.

    wine_check.py LINUX-MAPBASIS WINDOWS-MAPBASIS.EXE SOURCE-DIR HOLD_OPEN.EXE

WINDOWS-MAPBASIS.EXE is the console program; the windowed one, mapbasisw.exe, lies beside it.

Every sample parameter file (and U-01-XXXVI) runs with both programs; each layer's files are read
back independently and compared: .dbf byte for byte apart from its header date, .PRJ and .shx byte
for byte, .shp coordinates through GDAL within 1e-9 degree. Then what matters on Windows: a
Cyrillic parameter-file name and result folder, a drive-letter path with backslashes, old layers
matched without regard to case, refusals that change nothing, runs on one folder that do not
interleave (with the temporary folder missing too), a rewrite refused while another program holds a
layer file open as a GIS does (HOLD_OPEN.EXE, tests/windows/hold_open.cpp), paths as Windows users
write them (/ as a separator, a drive's root, a missing drive, device names), a lock that cannot be
taken, a parameter file saved as "Unicode". Then the Windows program itself: a batch failure
reaches cmd with exit 8 in %ERRORLEVEL% and its line in the user's language (Wine takes the user's
language from LANG); the two programs are of the console and the windowed kind; their version
resource and icon read back through the system's calls (GetFileVersionInfoW, FindResourceW). Not
covered under Wine: links planted where layer files go (Wine shows Unix links as
the files they point to), a full disk, FIFOs and devices as parameter files.

Prints one line per check and a closing 'N passed, N failed'; exits 1 when anything failed.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import threading

from osgeo import ogr

ogr.UseExceptions()

LAYERS = ["HYPS/HypsA", "HYPS/HypsP", "HYPS/HypsL", "FRAME/Frame", "FRAME/FrameAdj", "FRAME/FrameDig"]
results = {"passed": 0, "failed": 0}


def check(name, ok, detail=""):
    results["passed" if ok else "failed"] += 1
    print(("ok      " if ok else "FAILED  ") + name + ("" if ok else ": " + detail), flush=True)


def wine_env(prefix):
    env = dict(os.environ)
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    env.pop("DISPLAY", None)
    return env


def run(argv, cwd, env=None):
    r = subprocess.run(argv, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       timeout=120)
    return r.returncode, r.stderr.decode("utf-8", "replace")


def coordinates(shp):
    source = ogr.Open(shp)
    points = []
    for feature in source.GetLayer(0):
        geometry = feature.GetGeometryRef()
        for part in ([geometry] if geometry.GetGeometryCount() == 0 else
                     [geometry.GetGeometryRef(i) for i in range(geometry.GetGeometryCount())]):
            points.extend(part.GetPoints() or [])
    return points


def same_layer(linux_base, windows_base):
    """Empty when the two layers agree; otherwise what differs."""
    for ext in (".PRJ", ".shx"):
        if open(linux_base + ext, "rb").read() != open(windows_base + ext, "rb").read():
            return ext + " differs"
    a, b = open(linux_base + ".dbf", "rb").read(), open(windows_base + ".dbf", "rb").read()
    if len(a) != len(b) or a[:1] + a[4:] != b[:1] + b[4:]:
        return ".dbf differs beyond its header date"
    pa, pb = coordinates(linux_base + ".shp"), coordinates(windows_base + ".shp")
    if len(pa) != len(pb):
        return ".shp vertex counts differ"
    worst = max((abs(x - y) for p, q in zip(pa, pb) for x, y in zip(p, q)), default=0.0)
    if worst > 1e-9:
        return ".shp coordinates differ by %g" % worst
    return ""


def layers_of(folder):
    return [name for name in LAYERS if os.path.exists(os.path.join(folder, name + ".shp"))]


def consistent(base):
    """The .shp header length, .shx entries and .dbf records agree."""
    try:
        shp, shx, dbf = (open(base + ext, "rb").read() for ext in (".shp", ".shx", ".dbf"))
    except OSError:
        return False
    if struct.unpack(">i", shp[24:28])[0] * 2 != len(shp):
        return False
    count = (len(shx) - 100) // 8
    source = ogr.Open(base + ".shp")  # kept while its layer is read
    return struct.unpack("<I", dbf[4:8])[0] == count and source.GetLayer(0).GetFeatureCount() == count


def tree(folder):
    """Every file below the folder with its bytes."""
    found = {}
    for where, _, files in os.walk(folder):
        for name in files:
            with open(os.path.join(where, name), "rb") as f:
                found[os.path.relpath(os.path.join(where, name), folder)] = f.read()
    return found


def main():
    linux_exe, windows_exe, source, hold_open = (os.path.abspath(a) for a in sys.argv[1:5])
    work = tempfile.mkdtemp(prefix="mapbasis-wine-")
    prefix = os.path.join(work, "prefix")
    env = wine_env(prefix)
    wine = ["wine", windows_exe]
    subprocess.run(["wineboot", "--init"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=300)
    try:
        # The samples, and the sheet in zone 1 at the 180th meridian.
        samples = sorted(os.path.join(source, "examples", f)
                         for f in os.listdir(os.path.join(source, "examples")))
        extra = os.path.join(work, "U-01-XXXVI.txt")
        with open(extra, "wb") as f:
            f.write("CS=ГCK-2011;\nNom=U-01-XXXVI;\nPath=results/U-01-XXXVI;\n".encode("cp1251"))
        for params in samples + [extra]:
            name = os.path.basename(params)
            linux_dir, windows_dir = (os.path.join(work, side, name) for side in ("linux", "windows"))
            for d in (linux_dir, windows_dir):
                os.makedirs(d)
                shutil.copy(params, d)
            lc, lerr = run([linux_exe, name], linux_dir)
            wc, werr = run(wine + [name], windows_dir, env)
            check(name + ": exit 0 on both", lc == 0 and wc == 0, "linux %d %s, wine %d %s" % (lc, lerr, wc, werr))
            for result in os.listdir(os.path.join(linux_dir, "results")):
                lroot = os.path.join(linux_dir, "results", result)
                wroot = os.path.join(windows_dir, "results", result)
                linux_layers = layers_of(lroot)
                check(name + ": the same layers", linux_layers == layers_of(wroot),
                      "%s / %s" % (linux_layers, layers_of(wroot)))
                for layer in linux_layers:
                    differs = same_layer(os.path.join(lroot, layer), os.path.join(wroot, layer))
                    check(name + ": " + layer, differs == "", differs)

        cyrillic = os.path.join(work, "cyrillic")
        os.makedirs(cyrillic)
        code, err = run(wine + ["нет такого файла.txt"], cyrillic, env)
        check("a missing parameter file gives 8", code == 8 and err.count("\n") == 1, "%d %s" % (code, err))

        # A cp1251 parameter file with a Cyrillic name, naming a Cyrillic result folder.
        with open(os.path.join(cyrillic, "параметры листа.txt"), "wb") as f:
            f.write("Nom=N-37-XIV;\nPath=Карты листов\\N-37-XIV;\n".encode("cp1251"))
        code, err = run(wine + ["параметры листа.txt"], cyrillic, env)
        folder = os.path.join(cyrillic, "Карты листов", "N-37-XIV")
        check("a Cyrillic file and folder from a cp1251 file", code == 0 and
              all(consistent(os.path.join(folder, l)) for l in ("HYPS/HypsA", "HYPS/HypsP", "HYPS/HypsL")),
              "%d %s %s" % (code, err, os.listdir(cyrillic)))

        # A drive-letter path with backslashes; old layers in other letter cases.
        drive = os.path.join(prefix, "drive_c", "mapbasis-test", "N-37", "HYPS")
        os.makedirs(drive)
        for stale in ("HYPSA.SHP", "hypsa.DBF", "HypsA.zip"):
            open(os.path.join(drive, stale), "w").write("stale")
        with open(os.path.join(cyrillic, "c.txt"), "w") as f:
            f.write("Nom=N-37;Path=C:\\mapbasis-test\\N-37;")
        code, err = run(wine + ["c.txt"], cyrillic, env)
        names = sorted(os.listdir(drive))
        check("C:\\ path, old layers matched in any case", code == 0 and "HypsA.zip" in names and
              "HYPSA.SHP" not in names and "hypsa.DBF" not in names and "HypsA.shp" in names,
              "%d %s %s" % (code, err, names))

        # The grid commands: the same names, and the same index across the 180th meridian in a
        # Cyrillic folder, as the Linux build makes.
        grid = os.path.join(work, "grid")
        os.makedirs(os.path.join(grid, "linux"))
        os.makedirs(os.path.join(grid, "windows"))
        for args in (["55°45'", "37°37'"], ["64.5", "-170"]):
            lf = subprocess.run([linux_exe, "--find"] + args, capture_output=True, timeout=120)
            wf = subprocess.run(wine + ["--find"] + args, env=env, capture_output=True, timeout=120)
            check("--find %s as on Linux" % " ".join(args), wf.returncode == 0 and
                  wf.stdout.replace(b"\r\n", b"\n") == lf.stdout and lf.stdout != b"",
                  "%r / %r %r" % (lf.stdout, wf.stdout, wf.stderr))
        index = ["--index", "63.9", "178.5", "64.5", "-178.5", "Разграфка", "--cs", "ГCK-2011"]
        lc, lerr = run([linux_exe] + index, os.path.join(grid, "linux"))
        wc, werr = run(wine + index, os.path.join(grid, "windows"), env)
        differs = same_layer(os.path.join(grid, "linux", "Разграфка", "SheetIndex"),
                             os.path.join(grid, "windows", "Разграфка", "SheetIndex")) \
            if lc == 0 and wc == 0 else "linux %d %s, wine %d %s" % (lc, lerr, wc, werr)
        check("--index across 180 into a Cyrillic folder as on Linux", differs == "", differs)

        # Refusals change nothing.
        refused = os.path.join(work, "refused")
        os.makedirs(refused)
        for params, status in (("Nom=N-37-XIV;Path=out;xFrom=36 01;xTo=38 59;MeridianStep=0 01;", 16),
                               ("Nom=N-37-XIV;Path=out;xFrom=38;xTo=37;", 8)):
            with open(os.path.join(refused, "p.txt"), "w") as f:
                f.write(params)
            code, err = run(wine + ["p.txt"], refused, env)
            check("refused with %d, nothing made" % status, code == status and
                  sorted(os.listdir(refused)) == ["p.txt"], "%d %s %s" % (code, err, os.listdir(refused)))

        # A sheet open in a GIS, which holds a shown layer's files open (sharing reading and
        # writing, not deleting): the rewrite at another scale is refused, naming the file, and
        # the old sheet stays as it was; closed in the GIS, the sheet is rewritten.
        gis = os.path.join(work, "gis")
        os.makedirs(gis)
        for name, scale in (("a.txt", "200"), ("b.txt", "500")):
            with open(os.path.join(gis, name), "w") as f:
                f.write("Nom=N-37-XIV;Path=out;MapScale=%s;" % scale)
        code, err = run(wine + ["a.txt"], gis, env)
        for held in ("FRAME\\Frame.shp", "HYPS\\HypsL.dbf"):
            before = tree(os.path.join(gis, "out"))
            holder = subprocess.Popen(["wine", hold_open, "out\\" + held], cwd=gis, env=env,
                                      stdin=subprocess.PIPE, stdout=subprocess.PIPE)
            held_open = holder.stdout.readline().strip() == b"open"
            code, err = run(wine + ["b.txt"], gis, env)
            holder.stdin.close()
            holder.wait(timeout=120)
            check("%s open in a GIS: refused with 8 naming it, the old sheet as it was" % held,
                  held_open and code == 8 and held in err and "close the sheet in the GIS" in err
                  and err.count("\n") == 1 and tree(os.path.join(gis, "out")) == before,
                  "%s %d %s" % (held_open, code, err))
        code, err = run(wine + ["b.txt"], gis, env)
        check("closed in the GIS: the sheet is rewritten", code == 0 and not os.path.exists(
            os.path.join(gis, "out", "FRAME", "FrameAdj.shp")), "%d %s" % (code, err))

        # Paths as Windows users write them.
        paths = os.path.join(work, "paths")
        os.makedirs(paths)
        drive_c = os.path.join(prefix, "drive_c")
        for path, status, says, made in (
                ("C:/m/fwd/slash", 0, "", "m/fwd/slash/HYPS/HypsA.shp"),
                ("C:\\", 0, "", "HYPS/HypsA.shp"),
                ("Q:\\maps", 8, "there is no drive \"Q:\\\"", ""),
                ("CON", 8, "the device CON", ""), ("out\\nul", 8, "the device NUL", ""),
                ("COM1", 8, "the device COM1", ""), ("aux.txt", 8, "the device AUX", ""),
                ("out\\CONIN$", 8, "the device CONIN$", ""), ("Lpt9.log\\x", 8, "LPT9", ""),
                ("out\\a*b", 8, "the character *", "")):
            with open(os.path.join(paths, "p.txt"), "w") as f:
                f.write("Nom=N-37-XIV;Path=%s;" % path)
            code, err = run(wine + ["p.txt"], paths, env)
            check("Path=%s: %d" % (path, status), code == status and says in err and
                  (os.path.isfile(os.path.join(drive_c, made)) if made else
                   os.listdir(paths) == ["p.txt"]), "%d %s %s" % (code, err, os.listdir(paths)))

        # A parameter file saved by Notepad as "Unicode": UTF-16 with its byte-order mark.
        with open(os.path.join(paths, "p.txt"), "wb") as f:
            f.write("Nom=N-37-XIV;\r\nPath=Листы\\N-37-XIV;\r\n".encode("utf-16"))
        code, err = run(wine + ["p.txt"], paths, env)
        check("a UTF-16 parameter file", code == 0 and os.path.isfile(
            os.path.join(paths, "Листы", "N-37-XIV", "HYPS", "HypsA.shp")), "%d %s" % (code, err))

        # What stands at the lock's name and is no other run's lock is an error, not a wait.
        blocked = os.path.join(work, "blocked")
        os.makedirs(os.path.join(blocked, "out", ".mapbasis-lock"))
        with open(os.path.join(blocked, "p.txt"), "w") as f:
            f.write("Nom=N-37-XIV;Path=out;")
        code, err = run(wine + ["p.txt"], blocked, env)
        check("a folder at the lock's name: refused with 8 and the reason", code == 8 and
              ".mapbasis-lock" in err and os.listdir(os.path.join(blocked, "out")) ==
              [".mapbasis-lock"], "%d %s" % (code, err))

        # Runs on one folder do not interleave, even without a temporary folder.
        together = os.path.join(work, "together")
        os.makedirs(together)
        for name, sheet in (("a.txt", "N-37-XIV"), ("b.txt", "N-37")):
            with open(os.path.join(together, name), "w") as f:
                f.write("Nom=%s;Path=out;" % sheet)
        codes = []
        no_temp = dict(env, TEMP="C:\\no\\such\\folder", TMP="C:\\no\\such\\folder")
        threads = [threading.Thread(
            target=lambda n=n: codes.append(run(wine + [n], together, no_temp)[0]))
            for n in ("a.txt", "b.txt") * 3]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        out = os.path.join(together, "out")
        check("six runs on one folder, no temporary folder", codes == [0] * 6 and
              all(consistent(os.path.join(out, l)) for l in layers_of(out)), str(codes))

        # A failure reaches cmd: the line in the user's language, exit 8 in %ERRORLEVEL%.
        console = os.path.join(work, "console")
        os.makedirs(console)
        with open(os.path.join(console, "bad.txt"), "w") as f:
            f.write("cs=CK-42;")
        for lang, says in (("C", "unknown key \"cs\": keys are case-sensitive"),
                           ("ru_RU.UTF-8", "неизвестный ключ \"cs\": в ключах важен регистр")):
            r = subprocess.run(["wine", "cmd", "/c", windows_exe + " bad.txt & echo ERRORLEVEL=%ERRORLEVEL%"],
                               cwd=console, env=dict(env, LANG=lang, LC_ALL=lang), capture_output=True,
                               timeout=120)
            out, err = (x.decode("utf-8", "replace") for x in (r.stdout, r.stderr))
            check("cmd under %s: the line and ERRORLEVEL=8" % lang,
                  "ERRORLEVEL=8" in out and ("mapbasis: bad.txt:1: " + says) in err and
                  err.count("\n") == 1, "%r %r" % (out, err))

        # The console program and the windowed one, each with its version and icon.
        windowed = os.path.join(os.path.dirname(windows_exe), "mapbasisw.exe")
        reader = os.path.join(work, "program_resources.exe")
        built = subprocess.run(["x86_64-w64-mingw32-gcc", "-municode", "-O2", "-o", reader,
                                os.path.join(source, "tests", "windows", "program_resources.c"),
                                "-lversion"], capture_output=True, timeout=120)
        check("the resource reader builds", built.returncode == 0, built.stderr.decode())
        version = open(os.path.join(source, "CMakeLists.txt")).read().split("project(mapbasis VERSION ")[1].split()[0]
        for exe, subsystem in ((windows_exe, 3), (windowed, 2)):
            name = os.path.basename(exe)
            data = open(exe, "rb").read()
            header = struct.unpack("<I", data[0x3C:0x40])[0]
            check(name + ": " + ("console" if subsystem == 3 else "windowed") + " program",
                  struct.unpack("<H", data[header + 24 + 68:header + 24 + 70])[0] == subsystem)
            r = subprocess.run(["wine", reader, exe], env=env, capture_output=True, timeout=120)
            fields = dict(line.split("=", 1) for line in
                          r.stdout.decode("utf-8", "replace").replace("\r", "").splitlines() if "=" in line)
            check(name + ": version %s, product, description, icon" % version,
                  fields.get("ProductName") == "mapbasis" and fields.get("ProductVersion") == version and
                  fields.get("FileVersion") == version and fields.get("OriginalFilename") == name and
                  "математическая основа листа" in fields.get("FileDescription", "") and
                  fields.get("icon") == "yes", str(fields))
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(work, ignore_errors=True)
    print("%d passed, %d failed" % (results["passed"], results["failed"]))
    return 1 if results["failed"] else 0


if __name__ == "__main__":
    sys.exit(main())
