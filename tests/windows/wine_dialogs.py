#!/usr/bin/env python3
"""The interactive run of the Windows build under Wine on a virtual display, played like a user
with keys and the clipboard (xdotool and xclip under Xvfb), against the Linux build as the reference.

    wine_dialogs.py LINUX-MAPBASIS WINDOWS-MAPBASISW.EXE [SCREENSHOT-DIR]

WINDOWS-MAPBASISW.EXE is the windowed program a user double-clicks.

Journeys: the information dialog names the program for its taskbar button; the defaults with a typed result folder (exit 0, the same six layers as a batch run of
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
import shlex
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_check  # noqa: E402  (its layer comparison and its tally)
from wine_check import check, layers_of, same_layer  # noqa: E402

# Each step waits for the event it needs (a window that takes keys, the clipboard read) and gives
# up only at this deadline, which turns a hang into a failure; no step waits for a time.
TIMEOUT = 60


def wait_until(event, what, process=None):
    """Checks `event` often until it holds and returns its value. At TIMEOUT, or when `process`
    has ended first, returns None for a step of the program's (the check then fails) and raises
    for the test's own machinery."""
    deadline = time.monotonic() + TIMEOUT
    while True:
        value = event()
        if value:
            return value
        if time.monotonic() > deadline or (process is not None and process.poll() is not None):
            return None if process is not None else fail(what)
        time.sleep(0.05)


def fail(what):
    raise RuntimeError("gave up waiting: " + what)


class Display:
    """Xvfb on a free display number, without a window manager: the test gives the X focus to the
    window that is to get keys."""

    def __init__(self):
        for number in range(91, 120):
            if not os.path.exists("/tmp/.X11-unix/X%d" % number) and \
                    not os.path.exists("/tmp/.X%d-lock" % number):
                break
        self.name = ":%d" % number
        self.env = dict(os.environ, DISPLAY=self.name)
        self.server = subprocess.Popen(["Xvfb", self.name, "-screen", "0", "1280x1024x24",
                                        "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        self.clipboard = None
        wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % number) or
                   self.server.poll() is not None, "Xvfb on " + self.name)
        if self.server.poll() is not None:
            raise RuntimeError("Xvfb did not start on " + self.name)
        self.shown = []  # the windows of the journey that have taken keys, in the order they came

    def xdotool(self, *args):
        r = subprocess.run(["xdotool"] + list(args), env=self.env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=TIMEOUT)
        return r.stdout.decode("utf-8", "replace")

    def windows(self):
        """The visible windows of the program: {id: name}."""
        ids = self.xdotool("search", "--onlyvisible", "--classname", PROGRAM).split()
        return {w: self.xdotool("getwindowname", w).rstrip("\n") for w in ids}

    def wait_for(self, name, process):
        """The id of the visible window titled `name`, once it takes keys: no box of the program stands over it any more, and it has the X focus.
        Wine gives the focus to a window it activates, but without a window manager the focus can
        stay on the window under a new box, or fall to the screen's root when the X window that
        held it goes; the focus is then given to the window here, as a window manager would, and
        Wine (UseTakeFocus off) makes the program the one that takes the keys."""
        def ready():
            shown = self.windows()
            window = next((w for w, title in shown.items() if title == name), None)
            if window is None:
                return None
            # Windows that took keys after this one are boxes over it.
            later = self.shown[self.shown.index(window) + 1:] if window in self.shown else []
            if any(w in later for w in shown):
                return None
            if self.xdotool("getwindowfocus", "-f").strip() != window:
                self.xdotool("windowfocus", "--sync", window)
            return window
        window = wait_until(ready, "window " + name, process)
        if window and window not in self.shown:
            self.shown.append(window)
        return window

    def geometry(self, window):
        """X, Y, WIDTH and HEIGHT of the window, as texts."""
        lines = self.xdotool("getwindowgeometry", "--shell", window).split()
        return dict(line.split("=", 1) for line in lines if "=" in line)

    def keys(self, window, *keys):
        """Keys to the window, the pointer on it."""
        self.xdotool("mousemove", "--window", window, "12", "12")
        self.xdotool("key", "--delay", "60", *keys)

    def type(self, window, text):
        self.xdotool("mousemove", "--window", window, "12", "12")
        self.xdotool("type", "--delay", "30", text)

    def paste(self, window, text):
        """Pastes through the clipboard: typed, a letter outside the keyboard's layout can reach
        the program as another one while the typist remaps a key for it. The clipboard is held by
        xclip until the next paste; Wine reads it when the program pastes, which xclip reports."""
        self.drop_clipboard()
        self.clipboard = subprocess.Popen(["xclip", "-verbose", "-selection", "clipboard", "-i"],
                                          stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                          stderr=subprocess.STDOUT, env=self.env)
        self.clipboard.stdin.write(text.encode("utf-8"))
        self.clipboard.stdin.close()
        lines = []

        def read(output):
            for line in output:
                lines.append(line)
        threading.Thread(target=read, args=(self.clipboard.stdout,), daemon=True).start()

        def served():  # xclip says which request it waits for: one more than it has served
            return sum(b"Waiting for selection request number" in line for line in lines) - 1
        # The clipboard is xclip's once a reader (one request) gets the text from it...
        wait_until(lambda: served() >= 0, "xclip holding the clipboard")
        wait_until(lambda: subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                          timeout=TIMEOUT).stdout == text.encode("utf-8"),
                   "the clipboard holding " + text)
        wait_until(lambda: served() >= 1, "xclip serving the reader")
        before = served()
        self.keys(window, "ctrl+v")
        # ...and the paste has reached the program once Wine has read it too.
        wait_until(lambda: served() > before, "the program reading the clipboard")

    def drop_clipboard(self):
        if self.clipboard is not None:
            self.clipboard.kill()
            self.clipboard.wait()
            self.clipboard = None

    def screenshot(self, window, path):
        """The window once it is drawn: two captures in a row alike, and more than its background."""
        last = []

        def settled():
            shot = subprocess.run(["import", "-window", window, "png:-"], env=self.env,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  timeout=TIMEOUT).stdout
            colours = subprocess.run(["identify", "-format", "%k", "png:-"], input=shot,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     timeout=TIMEOUT).stdout
            alike = last and last[-1] == shot and int(colours or b"0") > 2
            last.append(shot)
            return alike
        wait_until(settled, "the window drawn for " + path)
        with open(path, "wb") as f:
            f.write(last[-1])

    def close(self):
        self.drop_clipboard()
        self.server.terminate()
        self.server.wait(timeout=TIMEOUT)


def read_dialogs():
    """The dialogs of the description both faces build them from (src/dialogs/
    dialog_description.txt, whose head explains the format): by the dialog's name, its title and
    the names of the controls the keyboard's Tab stops at, in their order."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "dialogs",
                        "dialog_description.txt")
    dialogs, current = {}, None
    with open(path, encoding="utf-8") as description:
        for line in description:
            lexer = shlex.shlex(line, posix=True)
            lexer.whitespace_split, lexer.quotes, lexer.commenters = True, '"', ""
            words = list(lexer)
            if not words or words[0].startswith("#"):
                continue
            if words[0] == "dialog":
                current = dialogs[words[2]] = {"title": words[5], "tab": []}
            elif words[0] in ("list", "button") or (words[0] == "field" and
                                                    "readonly" not in words[7:]):
                current["tab"].append(words[1])
    return dialogs


DIALOGS = read_dialogs()


def tabs(dialog, to, start=None):
    """The Tab keys that move the focus from the control `start` (the first that takes it, by
    default) to the control `to` of the dialog, all of them enabled."""
    stops = DIALOGS[dialog]["tab"]
    return ["Tab"] * (stops.index(to) - (stops.index(start) if start else 0))


PROGRAM = "mapbasisw.exe"
INFORMATION = DIALOGS["InfoDialog"]["title"]
PARAMETERS = DIALOGS["ParameterDialog"]["title"]
REFINEMENT = DIALOGS["RefinementDialog"]["title"]
DONE = "Состояние обработки"
REFINEMENT_ERROR = "Ошибка в уточнении параметров"
PARAMETER_ERROR = "ОШИБКА В ЗАДАНИИ ПАРАМЕТРОВ"
PICKER = "Поиск папки для рез. файлов"


class Journey:
    """One interactive run of the Windows program in a folder of its own."""

    def __init__(self, display, exe, env, folder):
        self.display, self.folder = display, folder
        os.makedirs(folder, exist_ok=True)
        display.shown = []
        self.process = subprocess.Popen(["wine", exe], cwd=folder, env=env,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.steps = []

    def window(self, name):
        window = self.display.wait_for(name, self.process)
        seen = "shown" if window else "MISSING (on the screen: %s)" % sorted(
            self.display.windows().values())
        self.steps.append("%s: %s" % (name, seen))
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
    global PROGRAM
    linux_exe, windows_exe = (os.path.abspath(a) for a in sys.argv[1:3])
    PROGRAM = os.path.basename(windows_exe)
    shots = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    work = tempfile.mkdtemp(prefix="mapbasis-wine-dialogs-")
    display = Display()
    env = wine_check.wine_env(os.path.join(work, "prefix"))
    env["DISPLAY"] = display.name
    try:
        subprocess.run(["wineboot", "--init"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=300)
        # Wine draws the windows' captions itself: there is no window manager on the display. The
        # X focus, which the test gives as a window manager would, decides which program is active.
        for value in ("Managed", "UseTakeFocus"):
            subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", value,
                            "/t", "REG_SZ", "/d", "N", "/f"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60)

        # The defaults with a folder pasted in, Cyrillic with a blank: sheet U-33-I.
        # The folder is on drive C: of Wine's prefix, as a user would have it.
        j = Journey(display, windows_exe, env, os.path.join(work, "defaults"))
        result = os.path.join(work, "prefix", "drive_c", "Карты листов", "U-33-I")
        os.makedirs(result)
        info = j.window(INFORMATION)
        if info and shots:
            display.screenshot(info, os.path.join(shots, "windows-information.png"))
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        if main_dialog:
            # From the first list to the folder field.
            display.keys(main_dialog, *tabs("ParameterDialog", "ResultFolder"))
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
        info = j.window(INFORMATION)
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        refused = False
        if main_dialog:
            display.keys(main_dialog, *tabs("ParameterDialog", "RefineButton"), "space")
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
            # The focus is back on the refinement button; then «Найти».
            display.keys(main_dialog, *tabs("ParameterDialog", "FindFolderButton", "RefineButton"),
                         "space")
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
        info = j.window(INFORMATION)
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        if main_dialog:
            # Series: the next item. Then map scale, belt, zone; the sheet number is skipped while
            # it is off; the kind: the last item. Then the refinement button and the folder.
            display.keys(main_dialog, *tabs("ParameterDialog", "SeriesScale"), "Down",
                         *tabs("ParameterDialog", "SheetKind", "SeriesScale")[1:], "End",
                         *tabs("ParameterDialog", "ResultFolder", "SheetKind"))
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
        info = j.window(INFORMATION)
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
        info = j.window(INFORMATION)
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        refused = False
        if main_dialog:
            display.keys(main_dialog, *tabs("ParameterDialog", "ResultFolder"))
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
        info = j.window(INFORMATION)
        if info:
            display.keys(info, "Return")
        main_dialog = j.window(PARAMETERS)
        if main_dialog:
            display.keys(main_dialog, *tabs("ParameterDialog", "FindFolderButton"), "space")
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
