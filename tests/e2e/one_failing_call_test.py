"""One system call that fails, at any moment of a run: the run ends with 0 and the new sheet, or
with 8 or 16 and the folder exactly as it was, every file byte for byte, nothing hidden left over.
strace makes the n-th call of one kind fail (`-e inject=CALL:error=E:when=n`), for every n that
the run reaches after the program has started, for each kind of call a run makes on its files.

Usage: one_failing_call_test.py MAPBASIS_EXE SOURCE_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

EXE = os.path.abspath(sys.argv[1])
STRACE = shutil.which("strace")
# The earlier sheet has all three FRAME layers; the new one, at 1:500 000, no FrameAdj.
OLD = "Nom=N-37-XIV;Path=out;CS=CK-95;"
NEW = "Nom=N-37-XV;Path=out;MapScale=500;CS=ГCK-2011;"
# A new sheet whose result folder is made with the folders above it.
DEEP = "Nom=N-37-XV;Path=made/for/out;MapScale=500;CS=ГCK-2011;"
# The calls that fail, with the error each gets: every call a run makes on the file system.
CALLS = (("newfstatat", "EIO"), ("statx", "EIO"), ("faccessat2", "EIO"), ("statfs", "EIO"),
         ("getdents64", "EIO"), ("flock", "ENOLCK"),
         ("openat", "EIO"), ("read", "EIO"), ("write", "ENOSPC"), ("close", "EIO"),
         ("mkdir", "ENOSPC"), ("renameat2", "EIO"), ("unlink", "EIO"), ("rmdir", "EIO"))


def run(cwd, params, *prefix):
    with open(os.path.join(cwd, "p.txt"), "w", encoding="utf-8") as f:
        f.write(params)
    return subprocess.run([*prefix, EXE, "p.txt"], cwd=cwd, capture_output=True, timeout=120)


def traced(*options):
    """strace with the options; a sanitized program cannot look for leaks while it is traced."""
    return (STRACE, "-f", "-qq", "-E", "ASAN_OPTIONS=detect_leaks=0", *options)


def tree(folder):
    """Every entry below the folder but the parameter file, with its bytes (a .dbf without its
    header's date)."""
    found = {}
    for where, folders, files in os.walk(folder):
        for name in folders:
            found[os.path.relpath(os.path.join(where, name), folder)] = "folder"
        for name in files:
            if where == folder and name == "p.txt":
                continue
            path = os.path.join(where, name)
            with open(path, "rb") as f:
                data = f.read()
            found[os.path.relpath(path, folder)] = data[:1] + data[4:] if name.endswith(
                ".dbf") else data
    return found


def calls_of_the_run(cwd, params):
    """For each kind of call: how many the process makes before the program reads its parameter
    file (the loader's, not the program's), and how many in all."""
    trace = os.path.join(cwd, "..", "trace")
    result = run(cwd, params, *traced("-o", trace))
    assert result.returncode == 0, result.stderr
    before, total = {}, {}
    started = False
    with open(trace) as f:
        for line in f:
            started = started or ('"p.txt"' in line and "execve(" not in line)
            found = re.match(r"\d+\s+(\w+)\(", line)
            if not found:
                continue
            call = found.group(1)
            total[call] = total.get(call, 0) + 1
            if not started:
                before[call] = before.get(call, 0) + 1
    os.remove(trace)
    return before, total


@unittest.skipIf(STRACE is None, "needs strace")
class OneFailingCall(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.tmp.cleanup()

    def check(self, start, params):
        """Runs `params` over a copy of `start` with each call failing in turn."""
        made = os.path.join(self.tmp.name, "made")
        shutil.copytree(start, made)
        self.assertEqual(run(made, params).returncode, 0)
        new = tree(made)
        shutil.rmtree(made)
        probe = os.path.join(self.tmp.name, "probe")
        shutil.copytree(start, probe)
        before, total = calls_of_the_run(probe, params)
        shutil.rmtree(probe)
        old = tree(start)
        failures = 0
        for call, error in CALLS:
            for n in range(before.get(call, 0) + 1, total.get(call, 0) + 1):
                what = f"{call} {n} of {total[call]} fails with {error}"
                work = os.path.join(self.tmp.name, "work")
                shutil.copytree(start, work)
                r = run(work, params, *traced("-o", os.devnull,
                                              f"-einject={call}:error={error}:when={n}"))
                left = tree(work)
                said = r.stderr.decode("utf-8", "replace")
                shutil.rmtree(work)
                # A sanitized build's runtime makes calls of its own (a write that probes memory);
                # one that fails stops the runtime, not the program.
                if "Sanitizer" in said and "CHECK failed" in said:
                    continue
                if r.returncode == 0:
                    self.assertEqual(sorted(left), sorted(new),
                                     f"{what}: ended with 0 without the new sheet ({said})")
                    self.assertTrue(left == new, f"{what}: ended with 0, a file differs")
                    self.assertEqual(said, "", what)
                else:
                    failures += 1
                    self.assertIn(r.returncode, (8, 16), f"{what}: {said}")
                    self.assertEqual(said.count("\n"), 1, f"{what}: {said}")
                    self.assertEqual(sorted(left), sorted(old), f"{what}: {said}")
                    self.assertTrue(left == old, f"{what}: a file changed: {said}")
        # Most failures end the run: a failing call is not taken for success.
        self.assertGreater(failures, 100)

    def test_rewrite(self):
        start = os.path.join(self.tmp.name, "old")
        os.makedirs(start)
        self.assertEqual(run(start, OLD).returncode, 0)
        # Something of the layers' families that the program does not write goes too.
        with open(os.path.join(start, "out", "HYPS", "HypsA.cpg"), "w") as f:
            f.write("1251")
        self.check(start, NEW)

    def test_new_sheet(self):
        start = os.path.join(self.tmp.name, "empty")
        os.makedirs(start)
        self.check(start, DEEP)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
