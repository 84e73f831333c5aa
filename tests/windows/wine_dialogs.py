#!/usr/bin/env python3
"""The interactive run of the Windows build under Wine on a virtual display, played like a user
with keys and the clipboard (xdotool and xclip under Xvfb), against the Linux build as the reference.

    wine_dialogs.py LINUX-MAPBASIS WINDOWS-MAPBASIS.EXE [SCREENSHOT-DIR]

Journeys: the defaults with a typed result folder (exit 0, the same six layers as a batch run of
the Linux build for that sheet); a refinement with an invalid start longitude (the warning box,
the dialog again) and then a valid one, the folder from the folder picker (exit 0, the refined
trapezoid); the series and the combined kind changed with the keyboard (the 1:1 000 000
quadruple sheet); OK without a folder (the warning box, the dialog again where it stood); a typed
folder no run could make, out\\a*b (refused at OK, exit 8, nothing written); the picker cancelled
and then the dialog (exit 8, nothing written). With
SCREENSHOT-DIR, the three dialogs are captured as windows-<dialog>.png there.

Prints one line per check and a closing 'N passed, N failed'; exits 1 when anything failed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_check  # noqa: E402  (its layer comparison and its tally)
from wine_check import check, layers_of, same_layer  # noqa: E402

TIMEOUT = 40


class Display:
    """Xvfb on a free display number, with the pointer over whatever is to get the keys."""

    def __init__(self):
        for number in range(91, 120):
            if not os.path.exists("/tmp/.X11-unix/X%d" % number) and \
                    not os.path.exists("/tmp/.X%d-lock" % number):
                break
        self.name = ":%d" % number
        self.server = subprocess.Popen(["Xvfb", self.name, "-screen", "0", "1280x1024x24",
                                        "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while not os.path.exists("/tmp/.X11-unix/X%d" % number):
            if time.time() > deadline or self.server.poll() is not None:
                raise RuntimeError("Xvfb did not start on " + self.name)
            time.sleep(0.1)

    def xdotool(self, *args):
        r = subprocess.run(["xdotool"] + list(args), env=dict(os.environ, DISPLAY=self.name),
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=30)
        return r.stdout.decode("utf-8", "replace")

    def windows(self):
        """The visible windows of the program: {id: name}."""
        ids = self.xdotool("search", "--onlyvisible", "--classname", "mapbasis.exe").split()
        return {w: self.xdotool("getwindowname", w).rstrip("\n") for w in ids}

    def wait_for(self, name, process):
        """The id of the visible window titled `name` ('' for the untitled information dialog)."""
        deadline = time.time() + TIMEOUT
        while time.time() < deadline and process.poll() is None:
            for window, title in self.windows().items():
                if title == name:
                    time.sleep(0.3)  # drawn and taking keys
                    return window
            time.sleep(0.2)
        return None

    def geometry(self, window):
        return self.xdotool("getwindowgeometry", window)

    def keys(self, window, *keys):
        """Keys to the window: the pointer rests on it (keyboard focus follows the pointer)."""
        self.xdotool("mousemove", "--window", window, "12", "12")
        time.sleep(0.1)
        self.xdotool("key", "--delay", "60", *keys)
        time.sleep(0.3)

    def type(self, window, text):
        self.xdotool("mousemove", "--window", window, "12", "12")
        self.xdotool("type", "--delay", "30", text)
        time.sleep(0.3)

    def paste(self, window, text):
        """Pastes through the clipboard: typed, a letter outside the keyboard's layout can reach
        the program as another one while the typist remaps a key for it."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode("utf-8"),
                       env=dict(os.environ, DISPLAY=self.name), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)
        time.sleep(0.5)  # Wine takes the new clipboard in
        self.keys(window, "ctrl+v")

    def screenshot(self, window, path):
        subprocess.run(["import", "-window", window, path], env=dict(os.environ, DISPLAY=self.name),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def close(self):
        self.server.terminate()
        self.server.wait(timeout=10)


PARAMETERS = "Задать параметры генерации математической основы карты"
REFINEMENT = "Изменение параметров трапеции и ее разграфки"
DONE = "Состояние обработки"
REFINEMENT_ERROR = "Ошибка в уточнении параметров"
PARAMETER_ERROR = "ОШИБКА В ЗАДАНИИ ПАРАМЕТРОВ"
PICKER = "Поиск папки для рез. файлов"


class Journey:
    """One interactive run of the Windows program in a folder of its own."""

    def __init__(self, display, exe, env, folder):
        self.display, self.folder = display, folder
        os.makedirs(folder, exist_ok=True)
        self.process = subprocess.Popen(["wine", exe], cwd=folder, env=env,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.steps = []

    def window(self, name):
        window = self.display.wait_for(name, self.process)
        seen = "shown" if window else "MISSING (on the screen: %s)" % sorted(
            self.display.windows().values())
        self.steps.append("%s: %s" % (name or "information dialog", seen))
        return window

    def end(self):
        try:
            _, err = self.process.communicate(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            _, err = self.process.communicate()
        self.steps.append("exit %d %s" % (self.process.returncode, err.decode("utf-8", "replace")))
        return self.process.returncode

    def story(self):
        return "; ".join(self.steps)


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


def linux_reference(linux_exe, work, name, items):
    folder = os.path.join(work, "linux-" + name)
    os.makedirs(folder)
    with open(os.path.join(folder, "p.txt"), "w") as f:
        f.write(items + "Path=%s;" % os.path.join(folder, "out"))
    code = subprocess.run([linux_exe, "p.txt"], cwd=folder, timeout=60).returncode
    return code, os.path.join(folder, "out")


def compare(name, linux_out, windows_out, count=6):
    linux_layers = layers_of(linux_out)
    check(name + ": the same %d layers" % count, len(linux_layers) == count and
          linux_layers == layers_of(windows_out), "%s / %s" % (linux_layers, layers_of(windows_out)))
    for layer in (l for l in linux_layers if l in layers_of(windows_out)):
        differs = same_layer(os.path.join(linux_out, layer), os.path.join(windows_out, layer))
        check(name + ": " + layer, differs == "", differs)


def main():
    linux_exe, windows_exe = (os.path.abspath(a) for a in sys.argv[1:3])
    shots = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    work = tempfile.mkdtemp(prefix="mapbasis-wine-dialogs-")
    display = Display()
    env = wine_check.wine_env(os.path.join(work, "prefix"))
    env["DISPLAY"] = display.name
    try:
        subprocess.run(["wineboot", "--init"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=300)
        # Wine draws the windows' captions itself: there is no window manager on the display.
        subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed",
                        "/t", "REG_SZ", "/d", "N", "/f"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

        # The defaults with a folder pasted in, Cyrillic with a blank: sheet U-33-I.
        # The folder is on drive C: of Wine's prefix, as a user would have it.
        j = Journey(display, windows_exe, env, os.path.join(work, "defaults"))
        result = os.path.join(work, "prefix", "drive_c", "Карты листов", "U-33-I")
        os.makedirs(result)
        info = j.window("")
        if info and shots:
            display.screenshot(info, os.path.join(shots, "windows-information.png"))
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        if main_dialog:
            # From the first list to the folder field: eight stops.
            display.keys(main_dialog, *["Tab"] * 8)
            display.paste(main_dialog, "C:\\Карты листов\\U-33-I\\")
            if shots:
                display.screenshot(main_dialog, os.path.join(shots, "windows-parameters.png"))
            display.keys(main_dialog, "Return")
        box = j.window(DONE)
        if box:
            display.keys(box, "Return")
        code = j.end()
        check("defaults with a folder: exit 0 after «Задание выполнено»", code == 0 and box,
              j.story())
        lcode, linux_out = linux_reference(linux_exe, work, "defaults", "Nom=U-33-I;")
        check("defaults: the Linux reference runs", lcode == 0, str(lcode))
        compare("defaults", linux_out, result)

        # A refinement: an invalid start longitude, the warning, then a valid one; the folder from
        # the picker, which opens in the current folder.
        j = Journey(display, windows_exe, env, os.path.join(work, "refined"))
        result = os.path.join(j.folder, "папка с пробелом")
        os.makedirs(result)
        info = j.window("")
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        refused = False
        if main_dialog:
            display.keys(main_dialog, *["Tab"] * 7, "space")  # «Уточнить параметры разграфки»
        refinement = j.window(REFINEMENT)
        if refinement:
            if shots:
                display.screenshot(refinement, os.path.join(shots, "windows-refinement.png"))
            # The start longitude has the focus; 11° is a whole sheet west of 12°: refused.
            display.keys(refinement, "Home", "shift+End")
            display.type(refinement, "11")
            display.keys(refinement, "Return")
            warning = j.window(REFINEMENT_ERROR)
            refused = warning is not None
            if warning:
                display.keys(warning, "Return")
            refinement = j.window(REFINEMENT)
        if refinement:
            display.keys(refinement, "Home", "shift+End")
            display.type(refinement, "11 30")
            display.keys(refinement, "Return")
        main_dialog = j.window(PARAMETERS)
        if main_dialog:
            # The focus is back on the refinement button; «Найти» is two stops on.
            display.keys(main_dialog, "Tab", "Tab", "space")
            picker = j.window(PICKER)
            if picker:
                display.paste(picker, os.path.basename(result))
                display.keys(picker, "Return")
            main_dialog = j.window(PARAMETERS)
        if main_dialog:
            display.keys(main_dialog, "Return")  # a picked folder puts the focus on OK
        box = j.window(DONE)
        if box:
            display.keys(box, "Return")
        code = j.end()
        check("refinement: «11» refused with its warning, «11 30» taken, the picked folder, exit 0",
              refused and box and code == 0, j.story())
        lcode, linux_out = linux_reference(linux_exe, work, "refined", "Nom=U-33-I;xFrom=11 30;")
        compare("refinement", linux_out, result)

        # The lists changed with the keyboard: the 1:1 000 000 series (the sheet number goes off,
        # the map scale follows) and its quadruple sheet, U-33(4).
        j = Journey(display, windows_exe, env, os.path.join(work, "lists"))
        result = os.path.join(j.folder, "out")
        os.makedirs(result)
        info = j.window("")
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        if main_dialog:
            # Series: the next item. Then map scale, belt, zone; the sheet number is skipped while
            # it is off; the kind: the last item. Then the refinement button and the folder.
            display.keys(main_dialog, "Tab", "Down", "Tab", "Tab", "Tab", "Tab", "End", "Tab", "Tab")
            display.paste(main_dialog, wine_path(result) + "\\")
            display.keys(main_dialog, "Return")
        box = j.window(DONE)
        if box:
            display.keys(box, "Return")
        code = j.end()
        check("lists: series and kind changed, exit 0", box and code == 0, j.story())
        lcode, linux_out = linux_reference(linux_exe, work, "lists", "Nom=U-33(4);")
        compare("lists", linux_out, result, count=5)

        # OK without a folder: the warning, then the dialog again where it stood; then Cancel.
        j = Journey(display, windows_exe, env, os.path.join(work, "no-folder"))
        info = j.window("")
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        before = display.geometry(main_dialog) if main_dialog else None
        after = None
        if main_dialog:
            display.keys(main_dialog, "Return")
            warning = j.window(PARAMETER_ERROR)
            if warning:
                display.keys(warning, "Return")
            main_dialog = j.window(PARAMETERS)
            if main_dialog:
                after = display.geometry(main_dialog)
                display.keys(main_dialog, "Escape")
        code = j.end()
        check("OK without a folder: the warning, the dialog again in its place, then 8",
              code == 8 and before is not None and before == after and
              os.listdir(j.folder) == [], "%s; %s / %s" % (j.story(), before, after))

        # A typed folder that no run could make: refused at OK with the run's own words, the
        # dialog again; then Cancel. Nothing written.
        j = Journey(display, windows_exe, env, os.path.join(work, "bad-folder"))
        info = j.window("")
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        refused = False
        if main_dialog:
            display.keys(main_dialog, *["Tab"] * 8)
            display.type(main_dialog, "out\\a*b")
            display.keys(main_dialog, "Return")
            warning = j.window(PARAMETER_ERROR)
            refused = warning is not None
            if warning:
                display.keys(warning, "Return")
            main_dialog = j.window(PARAMETERS)
            if main_dialog:
                display.keys(main_dialog, "Escape")
        code = j.end()
        check("a typed folder a*b: refused at OK, the dialog again, then 8, nothing written",
              refused and code == 8 and os.listdir(j.folder) == [], j.story())

        # The picker cancelled, then the dialog: 8, and nothing written.
        j = Journey(display, windows_exe, env, os.path.join(work, "cancel"))
        info = j.window("")
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        if main_dialog:
            display.keys(main_dialog, *["Tab"] * 9, "space")
            picker = j.window(PICKER)
            if picker:
                display.keys(picker, "Escape")
            main_dialog = j.window(PARAMETERS)
        if main_dialog:
            display.keys(main_dialog, "Escape")
        code = j.end()
        check("Cancel in the picker, then in the dialog: exit 8, nothing written",
              main_dialog and code == 8 and os.listdir(j.folder) == [],
              "%s; %s" % (j.story(), os.listdir(j.folder)))
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        display.close()
        shutil.rmtree(work, ignore_errors=True)
    print("%d passed, %d failed" % (wine_check.results["passed"], wine_check.results["failed"]))
    return 1 if wine_check.results["failed"] else 0


if __name__ == "__main__":
    sys.exit(main())
