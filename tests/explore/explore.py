#!/usr/bin/env python3
"""Drives the real QuillDeck.exe with seeded random real input and checks,
after every step and at the end, that nothing hangs, crashes or is lost.

Runs inside scripts/wine-session.sh (WINEPREFIX and DISPLAY set):

    explore.py QUILLDECK_EXE SUPPORT_DIR [--seeds 1,2,3] [--minutes N] [--steps N]
               [--state NAME]

SUPPORT_DIR holds qd_remote.exe, qd_catalogue.exe, qd_xdnd_drop and the
sample programs.

With --seeds, each seed runs once (its starting state chosen by the seed
unless --state names one); with --minutes, fresh seeds run until the time is
up. Every run prints its seed; a failure prints the seed, the state and the
last 30 steps, and exits 1. SEED=n (one seed) replays a run.
"""
import argparse
import collections
import os
import random
import re
import select
import shutil
import stat
import subprocess
import sys
import tempfile
import time

WINE = "/usr/lib/wine/wine64"
STATES = ["empty", "programs", "changed", "many", "restricted", "groups", "minimized"]
MANY = 3200  # items of the "many" state
HISTORY = 30
END = re.compile(r"^end -?\d+\n", re.MULTILINE)


class Failure(Exception):
    pass


def run(*args, timeout=30, check=False, env=None):
    done = subprocess.run([str(a) for a in args], capture_output=True, text=True, errors="replace",
                          timeout=timeout, env=env)
    if check and done.returncode:
        raise Failure(f"{' '.join(map(str, args))} failed: {done.stdout}{done.stderr}")
    return done


FILE_LIST_CLASSES = ("SHELLDLL_DefView", "SysListView32")


def is_open_dialog(window):
    """The Add command's open dialog, by its caption."""
    return window[0] != "TForm1" and "Open" in window[1]

DRY = False  # set while a skipped step is chosen: its input is not sent


def xdo(*args):
    if DRY:
        return
    subprocess.run(["xdotool", *map(str, args)], capture_output=True, timeout=20)


class Observation:
    """What qd_remote observe saw: windows topmost first, children, items."""

    def __init__(self, text):
        self.answers = False
        self.windows = []  # (class, title, rect, [children])
        self.shown = 0
        self.selected = None
        for line in text.replace("\r", "").splitlines():
            if line.startswith("answer "):
                self.answers = line == "answer yes"
            elif line.startswith("items "):
                self.shown = int(line.split()[1])
            elif line.startswith("selected "):
                self.selected = line[len("selected "):]
            elif line.startswith(("window ", "child ")):
                kind, rest = line.split(" ", 1)
                parts = rest.split("|")
                cls, title = parts[0], "|".join(parts[1:-1])
                try:
                    box = tuple(int(v) for v in parts[-1].split())
                except ValueError:
                    continue
                if len(box) != 4:
                    continue
                if kind == "window":
                    self.windows.append((cls, title, box, []))
                elif self.windows:
                    self.windows[-1][3].append((cls, title, box))

    def classes(self):
        return [w[0] for w in self.windows]

    def menu_open(self):
        return "#32768" in self.classes()

    def dialog_open(self):
        return any(c not in ("TForm1", "TApplication", "#32768") for c in self.classes())


class Explorer:
    def __init__(self, exe, support, seed, state, steps, log):
        self.support = os.path.abspath(support)
        self.exe = os.path.abspath(exe)
        self.seed = seed
        self.rng = random.Random(seed)
        self.state = state
        self.steps = steps
        self.log = log
        self.history = collections.deque(maxlen=HISTORY)
        self.process = None
        self.restricted = state == "restricted"
        self.server = None
        # Steps chosen but not sent, to cut a failing run down by hand:
        # EXPLORE_SKIP=1-10,14 (the random choices stay the same).
        self.skip = set()
        for part in filter(None, os.environ.get("EXPLORE_SKIP", "").split(",")):
            first, _, last = part.partition("-")
            self.skip.update(range(int(first), int(last or first) + 1))

    # ---- the world -------------------------------------------------------

    def sample(self, name):
        return os.path.join(self.support, name + ".exe")

    def prepare(self):
        self.root = tempfile.mkdtemp(prefix="qd-explore.")
        self.folder = os.path.join(self.root, "launcher")
        self.outside = os.path.join(self.root, "outside")
        apps = os.path.join(self.folder, "apps")
        os.makedirs(apps)
        os.makedirs(os.path.join(self.outside, "a folder"))
        shutil.copy(self.exe, os.path.join(self.folder, "QuillDeck.exe"))
        with open(os.path.join(self.outside, "notes.txt"), "w") as f:
            f.write("not a program\n")
        shutil.copy(self.sample("qd_sample_bare"), os.path.join(self.outside, "outer.exe"))
        programs = []
        for name in ("qd_sample_versioned", "qd_sample_many_icons", "qd_sample_bare", "qd_launch_probe"):
            shutil.copy(self.sample(name), os.path.join(apps, name + ".exe"))
            programs.append("apps\\" + name + ".exe")
        notepad = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "notepad.exe")
        if os.path.exists(notepad):
            shutil.copy(notepad, os.path.join(apps, "notepad.exe"))
            programs.append("apps\\notepad.exe")
        self.drop_files = [os.path.join(apps, "qd_sample_versioned.exe"),
                           os.path.join(apps, "qd_sample_bare.exe"),
                           os.path.join(self.outside, "outer.exe"),
                           os.path.join(self.outside, "notes.txt"),
                           os.path.join(self.outside, "a folder")]
        rcc = os.path.join(self.folder, "QuillDeck.rcc")
        ini = {}
        if self.state in ("programs", "changed", "restricted", "groups", "minimized"):
            self.catalogue_tool("items", rcc, *programs[:4])
        if self.state == "changed":
            with open(os.path.join(apps, "qd_sample_bare.exe"), "ab") as f:
                f.write(b"changed")
        if self.state == "many":
            # Over 4 MB: the launcher reads such a catalogue's images after the list takes keys.
            tools = os.path.join(self.folder, "tools")
            os.makedirs(tools)
            for i in range(1, MANY + 1):
                os.link(os.path.join(apps, "qd_sample_bare.exe"), os.path.join(tools, f"item{i}.exe"))
            # Their real fingerprint: with the check switched on, none is changed.
            self.catalogue_tool("make", rcc, str(MANY), "1", "tools\\item1.exe")
            ini["CheckSafe"] = "0"
        if self.state == "groups":
            ini.update({"Groups": "3", "Group0": "Main", "Group1": "Tools", "Group2": "Games"})
        if self.state == "minimized":
            ini["StartMinimized"] = "1"
        if ini:
            with open(os.path.join(self.folder, "QuillDeck.ini"), "w", newline="\r\n") as f:
                f.write("[Preferences]\n" + "".join(f"{k}={v}\n" for k, v in ini.items()))
        self.ini_existed = os.path.exists(os.path.join(self.folder, "QuillDeck.ini"))
        self.outside_before = self.snapshot_outside()

    def catalogue_tool(self, *args):
        tool = self.sample("qd_catalogue")
        run(WINE, tool, args[0], self.winpath(args[1]), *args[2:], timeout=120, check=True)

    @staticmethod
    def winpath(path):
        return "Z:" + path.replace("/", "\\")

    def snapshot_outside(self):
        """Files outside the launcher folder that the launcher could write."""
        seen = {}
        drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
        for top in (self.outside, self.root, drive_c):
            for base, dirs, files in os.walk(top):
                if base == self.root:
                    dirs[:] = []  # its folders are walked on their own or are the launcher's
                if base.startswith(os.path.join(drive_c, "windows")) or "/Temp" in base:
                    dirs[:] = []
                    continue
                for name in files:
                    path = os.path.join(base, name)
                    try:
                        info = os.lstat(path)
                    except OSError:
                        continue
                    seen[path] = (info.st_size, info.st_mtime_ns)
        return seen

    # ---- the launcher ----------------------------------------------------

    def remote(self, *args, timeout=15):
        """Asks the long-lived qd_remote server; its answer without the "end N" line."""
        if self.server is None or self.server.poll() is not None:
            self.answer = ""
            self.server = subprocess.Popen([WINE, os.path.join(self.support, "qd_remote.exe"), "serve"],
                                           stdin=subprocess.PIPE, stdout=subprocess.PIPE, bufsize=0,
                                           stderr=subprocess.DEVNULL)
        self.server.stdin.write((" ".join(map(str, args)) + "\n").encode())
        self.server.stdin.flush()
        deadline = time.time() + timeout
        # The answer ends at a line of its own: a window's text may hold "end "
        # ("send me ..." in the About box).
        while not (done := END.search(self.answer)):
            ready, _, _ = select.select([self.server.stdout], [], [], max(0, deadline - time.time()))
            chunk = os.read(self.server.stdout.fileno(), 65536) if ready else b""
            if not chunk:
                self.server.kill()
                self.server = None
                raise Failure(f"qd_remote {' '.join(map(str, args))} got no answer within {timeout} s")
            # The launcher's texts are in the system's ANSI code page.
            self.answer += chunk.decode("cp1252", errors="replace").replace("\r", "")
        answer, self.answer = self.answer[:done.start()], self.answer[done.end():]
        return answer

    def start(self):
        args = ["/s"] if self.restricted else []
        self.process = subprocess.Popen([WINE, os.path.join(self.folder, "QuillDeck.exe"), *args],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise Failure(f"the launcher ended at start with exit code {self.process.returncode}")
            if self.remote("count").strip() not in ("", "0"):
                break
            time.sleep(0.1)
        else:
            raise Failure("the main window did not appear within 20 s")
        self.baseline()

    def baseline(self):
        """The model starts from the catalogue on disk."""
        self.model = collections.Counter()
        self.titles = {}
        for cells in self.read_catalogue():
            self.model[cells[1].lower()] += 1
            self.titles[cells[1].lower()] = cells[0]
        self.removable = set()
        self.edited = set()
        self.unknown_removable = 0
        self.added = collections.Counter()
        self.open_dialog_steps = 0

    def read_catalogue(self):
        rcc = os.path.join(self.folder, "QuillDeck.rcc")
        if not os.path.exists(rcc):
            return []
        done = run(WINE, self.sample("qd_catalogue"), "dump", self.winpath(rcc), timeout=60)
        if done.returncode:
            # A failure with no text at all was seen three times (never on
            # replay): the file is kept, and read again with Wine's errors on,
            # to tell a damaged file from a tool that did not run.
            kept = f"/tmp/qd-explore-fail-{self.seed}.rcc"
            shutil.copyfile(rcc, kept)
            again = run(WINE, self.sample("qd_catalogue"), "dump", self.winpath(rcc), timeout=60,
                        env={**os.environ, "WINEDEBUG": "err+all,warn+process,warn+module,fixme-all"})
            raise Failure(f"QuillDeck.rcc does not load (code {done.returncode}): "
                          f"{done.stdout.strip()} {done.stderr.strip()[-500:]}\n"
                          f"read again: code {again.returncode}, {len(again.stdout)} bytes out, "
                          f"Wine said: {again.stderr.strip()[-1500:]}\nthe file: {kept}")
        rows = []
        for line in done.stdout.replace("\r", "").splitlines():
            cells = line.split("|")
            if len(cells) != 9:
                raise Failure(f"torn record in QuillDeck.rcc: {line!r}")
            rows.append(cells[:8])
        return rows

    def observe(self):
        seen = Observation(self.remote("observe", timeout=20))
        if not seen.answers and self.process.poll() is None:
            # A launcher that is ending may be busy saving: it must be gone soon.
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                raise Failure("the launcher did not answer a message within 2 s (hung)") from None
        if self.process.poll() is not None:
            return None
        return seen

    def check_alive(self):
        crash = run("xdotool", "search", "--name", "Program Error|serious problem").stdout.strip()
        if crash:
            raise Failure("a crash dialog is shown")
        if self.process.poll() is not None and self.process.returncode != 0:
            raise Failure(f"the launcher ended with exit code {self.process.returncode}")

    def cpu_ticks(self):
        with open(f"/proc/{self.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])

    def check_idle(self):
        """With no input, the launcher's CPU use falls to near zero."""
        hz = os.sysconf("SC_CLK_TCK")
        # A tooltip shown under a resting pointer polls it (the system's
        # control, not the launcher): the pointer rests on the bare desktop.
        xdo("mousemove", 2, 2)
        deadline = time.time() + 6
        while time.time() < deadline:
            try:
                before = self.cpu_ticks()
                time.sleep(1)
                used = (self.cpu_ticks() - before) / hz
            except (OSError, IndexError):
                return
            if used < 0.05:
                return
        raise Failure(f"the launcher kept using the CPU ({used:.0%} of a core) with no input")

    # ---- input -----------------------------------------------------------

    def click_at(self, x, y, button=1, repeat=1):
        xdo("mousemove", x, y, "click", "--repeat", repeat, "--delay", 80, button)

    def point_in(self, box):
        left, top, right, bottom = box
        return (self.rng.randint(left + 2, max(left + 2, right - 3)),
                self.rng.randint(top + 2, max(top + 2, bottom - 3)))

    def main_window(self, seen):
        for w in seen.windows:
            if w[0] == "TForm1":
                return w
        return None

    def grid(self, seen):
        main = self.main_window(seen)
        for child in main[3] if main else []:
            if child[0] == "TStringGrid":
                return child
        return None

    def choose(self, seen):
        rng = self.rng
        letters = "abcdefghijklmnopqrstuvwxyz0123456789"
        actions = [
            (14, "type", lambda: ("key", rng.choice(letters))),
            (14, "nav", lambda: ("key", rng.choice(["Up", "Down", "Left", "Right", "Home", "End",
                                                      "Prior", "Next"]))),
            (5, "Return", lambda: ("key", "Return")),
            (6, "Escape", lambda: ("key", "Escape")),
            (3, "Delete", lambda: ("key", "Delete")),
            (3, "BackSpace", lambda: ("key", "BackSpace")),
            (3, "Tab", lambda: ("key", rng.choice(["Tab", "shift+Tab"]))),
            (3, "space", lambda: ("key", "space")),
            (1, "F1", lambda: ("key", "F1")),
            (8, "alt", lambda: ("key", "alt+" + rng.choice("aedosmtbxg"))),
            (1, "alt+F4", lambda: ("key", "alt+F4")),
            (2, "alt+space", lambda: ("key", "alt+space")),
            (12, "click", lambda: ("click", None)),
            (3, "double", lambda: ("double", None)),
            (2, "right", lambda: ("right", None)),
            (4, "wheel", lambda: ("wheel", rng.choice([4, 5]))),
            (2, "drag", lambda: ("drag", None)),
            (2, "drop", lambda: ("drop", None)),
            (3, "tray", lambda: ("tray", rng.choice(["1", "3", "double"]))),
            (1, "hotkey", lambda: ("key", "ctrl+alt+q")),
            (2, "world", lambda: ("world", rng.choice(["touch", "readonly", "program", "second",
                                                        "taskbar"]))),
        ]
        total = sum(a[0] for a in actions)
        pick = rng.uniform(0, total)
        chosen = actions[-1][2]
        for weight, _, make in actions:
            pick -= weight
            if pick <= 0:
                chosen = make
                break
        action = chosen()
        # In the open dialog Delete deletes the file or folder under it (Wine
        # moves it to the trash, even the launcher's own folder): that is the
        # user changing the disk, not the launcher, so it is not sent there.
        if self.open_dialog_in_front(seen) and action == ("key", "Delete"):
            return ("key", "Escape")
        return action

    @staticmethod
    def open_dialog_in_front(seen):
        return bool(seen.windows) and is_open_dialog(seen.windows[0])

    def perform(self, action, seen):
        kind, arg = action
        rng = self.rng
        if kind == "key":
            xdo("key", "--delay", 40, arg)
            return f"key {arg}"
        if kind in ("click", "double", "right"):
            target = seen.windows[0] if seen.windows else None
            if kind != "click" or target is None or target[0] == "TForm1":
                target = self.main_window(seen) if kind != "click" else target
            if target is None:
                return "click: nothing shown"
            # Not the open dialog's file list: a click on a chosen file starts
            # renaming it, and the keys that follow would rename it.
            if target is seen.windows[0] and self.open_dialog_in_front(seen):
                places = [c[2] for c in target[3] if c[0] not in FILE_LIST_CLASSES] or [target[2]]
            else:
                places = [c[2] for c in target[3]] + [target[2]]
            if kind != "click" and self.grid(seen):
                places = [self.grid(seen)[2]]
            x, y = self.point_in(rng.choice(places))
            self.click_at(x, y, 3 if kind == "right" else 1, 2 if kind == "double" else 1)
            return f"{kind} {x},{y} in {target[0]} {target[1]!r}"
        if kind == "wheel":
            main = self.main_window(seen)
            box = main[2] if main else (0, 0, 1024, 768)
            x, y = self.point_in(box)
            xdo("mousemove", x, y, "click", "--repeat", rng.randint(1, 3), arg)
            return f"wheel {'up' if arg == 4 else 'down'} at {x},{y}"
        if kind == "drag":
            grid = self.grid(seen)
            if not grid:
                return "drag: no list"
            x, y = self.point_in(grid[2])
            dy = rng.choice([-24, 24, 48])
            xdo("mousemove", x, y, "mousedown", 1, "sleep", 0.2, "mousemove", x, y + dy // 2,
                "sleep", 0.1, "mousemove", x, y + dy, "sleep", 0.2, "mouseup", 1)
            return f"drag {x},{y} by {dy}"
        if kind == "drop":
            main = self.main_window(seen)
            if not main:
                return "drop: no window"
            files = rng.sample(self.drop_files, rng.randint(1, 3))
            x, y = self.point_in(main[2])
            if not DRY:
                run(os.path.join(self.support, "qd_xdnd_drop"), x, y, *files, timeout=20)
            for f in files:
                if f.lower().endswith(".exe"):
                    rel = os.path.relpath(f, self.folder).replace("/", "\\").lower()
                    self.added[rel] += 1
            return f"drop {[os.path.basename(f) for f in files]} at {x},{y}"
        if kind == "tray":
            if arg == "double":
                xdo("mousemove", 1013, 757, "click", "--repeat", 2, "--delay", 80, 1)
            else:
                xdo("mousemove", 1013, 757, "click", arg)
            return f"tray click {arg}"
        if kind == "world":
            return self.world(arg) if not DRY else f"world: {arg}"
        raise AssertionError(kind)

    def world(self, event):
        rcc = os.path.join(self.folder, "QuillDeck.rcc")
        if event == "touch" and os.path.exists(rcc):
            os.utime(rcc)
            return "world: catalogue touched"
        if event == "readonly" and os.path.exists(rcc):
            mode = os.stat(rcc).st_mode
            os.chmod(rcc, mode ^ stat.S_IWUSR)
            return f"world: catalogue made {'read-only' if mode & stat.S_IWUSR else 'writable'}"
        if event == "program":
            with open(os.path.join(self.folder, "apps", "qd_sample_versioned.exe"), "ab") as f:
                f.write(b"x")
            return "world: a program changed on disk"
        if event == "second":
            second = subprocess.run([WINE, os.path.join(self.folder, "QuillDeck.exe")],
                                    capture_output=True, timeout=30)
            if second.returncode != 0:
                raise Failure(f"a second launcher ended with exit code {second.returncode}")
            return "world: a second launcher started and ended"
        if event == "taskbar":
            self.remote("taskbar-created")
            return "world: TaskbarCreated broadcast"
        return f"world: {event} (no catalogue)"

    # ---- the model -------------------------------------------------------

    SAFE = ("type", "nav", "wheel", "world", "drop")

    def note(self, seen, action, after):
        """Which items the step could have removed or renamed."""
        kind, arg = action
        safe = (kind == "key" and (len(arg) == 1 or arg in ("Up", "Down", "Left", "Right", "Home", "End",
                                                            "Prior", "Next", "BackSpace"))
                and not seen.dialog_open() and not seen.menu_open()) or kind in ("wheel", "drop", "world")
        if any(is_open_dialog(w) for w in seen.windows):
            self.open_dialog_steps += 1
        if safe:
            return
        known = set(self.titles.values())
        if seen.selected is not None:
            if seen.selected in known:
                self.removable.add(seen.selected)
            else:
                self.unknown_removable += 1
        if after is not None and seen.selected in known and after.selected not in known | {None}:
            self.edited.add(seen.selected)

    def check_model(self, rows):
        final = collections.Counter(cells[1].lower() for cells in rows)
        spare = self.unknown_removable
        for path, count in self.model.items():
            missing = count - final[path]
            if missing <= 0:
                continue
            title = self.titles[path]
            if title in self.removable:
                continue
            if title in self.edited and spare > 0:
                spare -= 1
                continue
            raise Failure(f"item {title!r} ({path}) is missing, though the user never had it current "
                          f"when a command could remove it")
        for path, count in final.items():
            extra = count - self.model[path]
            if extra <= 0:
                continue
            if extra > self.added[path] + self.open_dialog_steps:
                raise Failure(f"{path} is in the catalogue {count} times; it was there {self.model[path]} "
                              f"times and added at most {self.added[path] + self.open_dialog_steps}")
            if not os.path.exists(os.path.normpath(os.path.join(self.folder, path.replace("\\", "/")))) \
                    and not any(path == os.path.relpath(f, self.folder).replace("/", "\\").lower()
                                for f in self.drop_files):
                raise Failure(f"an item was added for {path}, which the user never offered")

    # ---- ending ----------------------------------------------------------

    def close(self):
        """Ends the launcher as the user would, answering what it asks."""
        deadline = time.time() + 10
        menu_tries = 0
        while self.process.poll() is None:
            if time.time() > deadline:  # killed at cleanup, after the screenshot
                raise Failure("the launcher did not end within 10 s of E&xit")
            seen = Observation(self.remote("observe", timeout=15))
            self.history.append(f"exit: sees {[w[:2] for w in seen.windows]}")
            dialog = next((w for w in seen.windows if w[0] not in ("TForm1", "TApplication", "#32768")), None)
            if dialog:
                # Keys go to the focused window: a click on the caption focuses the box.
                self.click_at((dialog[2][0] + dialog[2][2]) // 2, dialog[2][1] + 8)
                # Escape does nothing in a box whose one button is "&Abort":
                # a box of one button is answered with it.
                buttons = [c for c in dialog[3] if c[0] == "Button"]
                xdo("key", "Return" if len(buttons) == 1 else "Escape")
            elif seen.menu_open():
                # Under Wine the tray menu of a hidden launcher gets no keys
                # once it has been closed before: a click away closes it.
                xdo("key", "Escape")
                if menu_tries:
                    self.click_at(5, 5)
                menu_tries += 1
            else:
                self.remote("exit")
            for _ in range(10):
                if self.process.poll() is not None:
                    break
                time.sleep(0.1)
        if self.process.returncode != 0:
            raise Failure(f"the launcher ended with exit code {self.process.returncode}")

    def check_files(self):
        if not os.path.isdir(self.folder):
            raise Failure(f"the launcher folder {self.folder} is gone")
        rcc = os.path.join(self.folder, "QuillDeck.rcc")
        if os.path.exists(rcc):
            os.chmod(rcc, os.stat(rcc).st_mode | stat.S_IWUSR)
        rows = self.read_catalogue()
        self.check_model(rows)
        ini = os.path.join(self.folder, "QuillDeck.ini")
        if self.restricted and not self.ini_existed and os.path.exists(ini):
            raise Failure("restricted mode wrote QuillDeck.ini")
        if os.path.exists(ini):
            with open(ini, "rb") as f:
                text = f.read()
            if b"[Preferences]" not in text:
                raise Failure(f"QuillDeck.ini has no [Preferences] section ({len(text)} bytes)")
        left = [n for n in os.listdir(self.folder) if n.lower().endswith(".tmp")]
        if left:
            raise Failure(f"left behind in the launcher folder: {left}")
        after = self.snapshot_outside()
        written = sorted(p for p, v in after.items() if self.outside_before.get(p) != v)
        if written:
            raise Failure(f"written outside the launcher folder: {written[:5]}")
        return rows

    # ---- the run ---------------------------------------------------------

    def say(self, text):
        print(text, file=self.log, flush=True)

    def explore(self):
        self.began = time.monotonic()
        self.prepare()
        self.start()
        seen = self.observe()
        for number in range(1, self.steps + 1):
            if seen is None:  # the user ended it: check, then start again
                self.check_alive()
                self.check_files()
                self.history.append(f"{number:4}  (the launcher ended; started again)")
                self.start()
                seen = self.observe()
                continue
            global DRY
            DRY = number in self.skip
            action = self.choose(seen)
            what = self.perform(action, seen)
            DRY = False
            self.history.append(f"{number:4}  {'(skipped) ' if number in self.skip else ''}{what}")
            if os.environ.get("EXPLORE_VERBOSE"):
                self.say(f"{time.monotonic() - self.began:7.1f}s {self.history[-1]}")
            time.sleep(0.05)
            if os.environ.get("EXPLORE_SHOTS"):  # a picture after every step, to replay a failure
                run("import", "-display", os.environ["DISPLAY"], "-window", "root",
                    os.path.join(os.environ["EXPLORE_SHOTS"], f"step-{number:04}.png"))
            self.check_alive()
            after = self.observe() if self.process.poll() is None else None
            self.note(seen, action, after)
            seen = after
            if number % 40 == 0 and self.process.poll() is None:
                self.check_idle()
        if self.process.poll() is None:
            self.check_idle()
            self.close()
        self.check_files()

    def cleanup(self):
        if self.server and self.server.poll() is None:
            self.server.stdin.close()
            self.server.wait(timeout=10)
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        # Programs the launcher started from its folder end with it.
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    cmdline = f.read()
            except OSError:
                continue
            if self.root.encode() in cmdline or b"qd-explore" in cmdline and b"notepad" in cmdline:
                try:
                    os.kill(int(pid), 9)
                except OSError:
                    pass
        shutil.rmtree(self.root, ignore_errors=True)


def explore_one(options, seed, state, steps):
    state = state or STATES[seed % len(STATES)]
    print(f"explore: seed {seed}, state {state}, {steps} steps", flush=True)
    explorer = Explorer(options.exe, options.support, seed, state, steps, sys.stdout)
    try:
        explorer.explore()
        return True
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"FAIL: seed {seed}, state {state}: {failure}", flush=True)
        shot = os.path.join(tempfile.gettempdir(), f"qd-explore-fail-{seed}.png")
        if run("import", "-display", os.environ["DISPLAY"], "-window", "root", shot).returncode == 0:
            print(f"the screen at the failure: {shot}", flush=True)
        print(f"the last {len(explorer.history)} steps:", flush=True)
        for line in explorer.history:
            print("  " + line, flush=True)
        print(f"replay: SEED={seed} STATE={state} make explore", flush=True)
        return False
    finally:
        explorer.cleanup()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("support")
    parser.add_argument("--seeds", default="")
    parser.add_argument("--minutes", type=float, default=0)
    parser.add_argument("--steps", type=int, default=150)
    parser.add_argument("--state", default="")
    options = parser.parse_args()
    failed = 0
    if options.seeds:
        seeds = [int(s) for s in options.seeds.split(",")]
        for seed in seeds:
            failed += not explore_one(options, seed, options.state, options.steps)
    else:
        end = time.time() + options.minutes * 60
        runs = 0
        while time.time() < end:
            seed = random.SystemRandom().randrange(1, 10**9)
            failed += not explore_one(options, seed, options.state, options.steps)
            runs += 1
        print(f"explore: {runs} runs in {options.minutes} minutes, {failed} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
