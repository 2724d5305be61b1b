"""Drives the end-to-end installer under Wine: loopback CDN and collector,
the renamed executable in the test CA's namespace, clicks and keys with
xdotool, screenshots with ImageMagick, and readers for what the run leaves
behind (files, registry, records, log, analytics bodies).

Used by tests/e2e/e2e_test.py and scripts/demo.sh. Standard library only.
"""

import glob
import json
import os
import re
import shutil
import struct
import subprocess
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SERVER = os.path.join(ROOT, "tests", "fixtures", "net", "loopback_server.py")
WITH_TEST_CA = os.path.join(ROOT, "tests", "net", "with_test_ca.sh")

# Loopback ports compiled into the e2e executable.
CDN_PORT = 18443
COLLECTOR_PORT = 18444

# Variant 9.
PACKAGE_PATH = "download/package/Vandorix9.0.exe"
REG_KEY = r"Software\Morvast\Vandorix9"
INSTALL_SUBDIR = "Vandorix\\Vandorix9\\"

TITLES = {"kr": "Vandorix 설치 프로그램", "en_US": "Vandorix Installer"}
POPUP_TITLE = "Installer Main Window"

# The card (656x428) inside the main window; the window may carry the
# skin's shadow margin around it (688x458, card at 16,15).
CARD = (656, 428)
SHADOW_ORIGIN = (16, 15)

# Points on the card, from skin/content/mainframe.xml.
POINTS = {
    "closebtn": (638, 17),
    "minbtn": (602, 17),
    "acceptOpt": (33, 387),
    "userdefineBtn": (580, 387),
    "backBtn": (590, 387),
    "pathedit": (274, 218),
    "browsebtn": (582, 218),
    "installnowbtn": (320, 272),
    "startBtn": (328, 256),
    # Plain card background: clicking here takes the focus off the edit.
    "blank": (120, 120),
}

# On the offers popup (from ui/offer_popup.cpp).
POPUP_POINTS = {"accept": (258, 353), "decline": (398, 353), "close": (636, 20)}
OFFER_BUTTON_FACE = (0xF4, 0xC5, 0x1C)

# Box windows: the exit question (skin/content/messagebox.xml) and the
# generic boxes (common/xml_messagebox.xml), shadow margins included.
BOX_SIZES = ((436, 236), (436, 266))
# Centres of the left and right answers of each box, by box size.
BOX_BUTTONS = {(436, 236): {"left": (156, 182), "right": (276, 182)},
               (436, 266): {"left": (120, 209), "right": (275, 209)}}


def run(args, **kw):
    return subprocess.run(args, stdin=subprocess.DEVNULL, capture_output=True, text=True, **kw)


def wait_until(predicate, timeout, interval=0.25):
    """The predicate's first true value within timeout seconds, else None."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return None
        time.sleep(interval)


def windows_path(path):
    """The path as Wine's Z: drive shows it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def read_utf16_record(path):
    """key=value lines of a fixture's UTF-16 record, or {} when absent."""
    try:
        with open(path, "rb") as f:
            text = f.read().decode("utf-16")
    except OSError:
        return {}
    text = text.lstrip("\ufeff")
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


class LoopbackServers:
    """The CDN (package files at their paths) and the analytics collector."""

    def __init__(self, folder, package_installer, mode=""):
        self.folder = folder
        self.state = os.path.join(folder, "state.txt")
        self.cdn_dir = os.path.join(folder, "cdn")
        target = os.path.join(self.cdn_dir, PACKAGE_PATH)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(package_installer, target)
        self.mode = mode
        self.values = {}

    def start(self):
        result = run(["python3", SERVER, "start", "--state", self.state, "--https-port", str(CDN_PORT),
                      "--collector-port", str(COLLECTOR_PORT), "--cdn-dir", self.cdn_dir, "--cdn-mode", self.mode])
        if result.returncode != 0:
            raise RuntimeError("loopback server: " + result.stderr)
        with open(self.state) as f:
            self.values = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        return self

    def stop(self):
        run(["python3", SERVER, "stop", "--state", self.state])

    def records(self):
        """Every request received so far, in order, each with its body."""
        out = []
        for meta_path in sorted(glob.glob(os.path.join(self.values["records_dir"], "*.json"))):
            with open(meta_path) as f:
                meta = json.load(f)
            with open(meta_path[:-5] + ".body", "rb") as f:
                meta["body"] = f.read()
            out.append(meta)
        return out

    def events(self):
        """Analytics event names posted to the collector, in arrival order."""
        names = []
        for rec in self.records():
            if rec["port_kind"] != "collector" or not rec["path"].endswith("/mp/collect"):
                continue
            try:
                body = json.loads(rec["body"].decode("utf-8"))
            except ValueError:
                continue
            for event in body.get("events", []):
                names.append((event.get("name"), event.get("params", {}).get("event_label")))
        return names

    def package_requests(self):
        return [r for r in self.records() if r["path"] == "/" + PACKAGE_PATH]


class Screen:
    """xdotool and ImageMagick on one X display."""

    def __init__(self, display):
        self.env = dict(os.environ, DISPLAY=display)

    def xdo(self, *args):
        return run(["xdotool", *args], env=self.env).stdout

    def find(self, title):
        """Ids of visible windows whose whole title is title."""
        out = self.xdo("search", "--onlyvisible", "--name", "^" + re.escape(title) + "$")
        return [int(w) for w in out.split()]

    def visible(self):
        return [int(w) for w in self.xdo("search", "--onlyvisible", "--name", "").split()]

    def geometry(self, window):
        """(x, y, width, height) of the window on the screen, or None."""
        out = self.xdo("getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        try:
            return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        except KeyError:
            return None

    def click(self, window, x, y):
        """A left click at client point (x, y) of the window. The pointer
        rests there first, so the skin sees it enter before the press."""
        left, top, _, _ = self.geometry(window)
        self.xdo("mousemove", str(left + x), str(top + y))
        time.sleep(0.3)
        self.xdo("mousedown", "1")
        time.sleep(0.1)
        self.xdo("mouseup", "1")
        time.sleep(0.3)

    def key(self, *keys):
        self.xdo("key", "--clearmodifiers", *keys)
        time.sleep(0.2)

    def type(self, text):
        self.xdo("type", "--delay", "40", text)
        time.sleep(0.2)

    def grab_ppm(self, rect):
        """A screen rectangle as an 8-bit binary PPM."""
        x, y, w, h = rect
        return subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage",
                               "-depth", "8", "ppm:-"], env=self.env, capture_output=True, check=True).stdout

    def grab(self, rect):
        """(width, height, rgb bytes) of a screen rectangle."""
        return parse_ppm(self.grab_ppm(rect))

    def save(self, rect, path):
        x, y, w, h = rect
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path],
                       env=self.env, capture_output=True, check=True)
        return path


def build_display(build):
    """The display of the build's running Wine session (wine-env.sh start)."""
    with open(os.path.join(build, "wine", "display")) as f:
        return f.read().strip()


def parse_ppm(data):
    """(width, height, pixels) of a binary PPM."""
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def pixel(image, x, y):
    width, _, pixels = image
    i = (y * width + x) * 3
    return tuple(pixels[i:i + 3])


def close_to(colour, expected, slack=24):
    return all(abs(a - b) <= slack for a, b in zip(colour, expected))


class Installer:
    """One run of the renamed e2e executable and what it leaves behind."""

    def __init__(self, build, exe, name, folder, servers, child_helper, language="kr", offer_answers=""):
        self.build = build
        self.folder = folder
        self.servers = servers
        self.language = language
        self.wine_run = os.path.join(build, "wine-run.sh")
        self.prefix = os.path.join(build, "wineprefix")
        self.screen = Screen(os.environ.get("VX_E2E_DISPLAY") or build_display(build))
        self.exe_dir = os.path.join(folder, "bin")
        os.makedirs(self.exe_dir, exist_ok=True)
        self.exe = os.path.join(self.exe_dir, name + ".exe")
        shutil.copyfile(exe, self.exe)
        shutil.copyfile(servers.values["ca_file"], os.path.join(self.exe_dir, "vx_e2e_ca.pem"))
        self.installer_record = os.path.join(folder, "installer_record.txt")
        self.child_record = os.path.join(folder, "child_record.txt")
        self.offer_record = os.path.join(folder, "offer_record.bin")
        self.env = dict(os.environ,
                        VX_INSTALLER_RECORD=windows_path(self.installer_record),
                        VX_INSTALLER_PRODUCT=windows_path(child_helper),
                        VX_INSTALLER_REGKEY=REG_KEY,
                        VX_CHILD_RECORD=windows_path(self.child_record),
                        VX_OFFER_ANSWERS=offer_answers,
                        VX_OFFER_RECORD=windows_path(self.offer_record))
        if os.environ.get("VX_E2E_DISPLAY"):
            self.env["DISPLAY"] = os.environ["VX_E2E_DISPLAY"]
        self.process = None
        self.window = None
        self.origin = (0, 0)
        self.log_start = len(self.read_log_bytes())
        self.shots = []

    # --- the prefix ---------------------------------------------------------

    def wine(self, *args):
        return run([self.wine_run, *args], env=self.env)

    def forget_install_dir(self):
        self.wine("reg", "delete", "HKCU\\" + REG_KEY, "/f")

    def registry_install_dir(self):
        out = self.wine("reg", "query", "HKCU\\" + REG_KEY, "/v", "InstallDir").stdout
        match = re.search(r"InstallDir\s+REG_\w+\s+(.*)", out)
        return match.group(1).strip() if match else None

    def unix_path(self, path):
        """A C: or Z: path of the prefix as a host path."""
        path = path.replace("\\", "/")
        drive, rest = path[0].lower(), path[2:]
        return rest if drive == "z" else os.path.join(self.prefix, "drive_" + drive) + rest

    def log_path(self):
        found = glob.glob(os.path.join(self.prefix, "drive_c", "users", "*", "AppData", "Roaming", "tqdownloader",
                                       "log.txt"))
        return found[0] if found else None

    def read_log_bytes(self):
        path = self.log_path()
        if not path:
            return b""
        with open(path, "rb") as f:
            return f.read()

    def log(self):
        """The log written since this run began, as text."""
        data = self.read_log_bytes()[self.log_start:]
        for encoding in ("utf-8",):
            try:
                return data.decode(encoding)
            except UnicodeDecodeError:
                pass
        return data.decode("latin-1")

    # --- the process and its window ----------------------------------------

    def start(self):
        self.process = subprocess.Popen([WITH_TEST_CA, self.servers.state, self.wine_run, self.exe],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, env=self.env, start_new_session=True)
        return self

    def wait_window(self, timeout=40):
        title = TITLES[self.language]
        found = wait_until(lambda: self.screen.find(title), timeout)
        if not found:
            raise RuntimeError("no window titled %r" % title)
        self.window = found[0]
        time.sleep(1.0)  # the first paint of the layered window
        geometry = self.screen.geometry(self.window)
        self.origin = SHADOW_ORIGIN if geometry and geometry[2] > CARD[0] else (0, 0)
        return self.window

    def card_rect(self):
        x, y, _, _ = self.screen.geometry(self.window)
        return (x + self.origin[0], y + self.origin[1], CARD[0], CARD[1])

    def point(self, name):
        x, y = POINTS[name]
        return x + self.origin[0], y + self.origin[1]

    def click(self, name):
        self.screen.click(self.window, *self.point(name))

    def card(self):
        return self.screen.grab(self.card_rect())

    def card_pixel(self, name):
        return pixel(self.card(), *POINTS[name])

    def shot(self, folder, name, rect=None):
        path = self.screen.save(rect or self.card_rect(), os.path.join(folder, name + ".png"))
        self.shots.append(path)
        return path

    def set_custom_path(self, path):
        """Opens the custom path row, replaces the edit's text, leaves the edit."""
        self.click("userdefineBtn")
        time.sleep(0.5)
        self.click("pathedit")
        self.screen.key("ctrl+a")
        self.screen.type(path)
        # A click on a skin control takes the focus from the edit; the
        # licence box ticked off and on again leaves the page as it was.
        self.click("acceptOpt")
        self.click("acceptOpt")
        time.sleep(0.5)

    def on_start_page(self):
        """True when the Start button is drawn: its face above and below the
        line where the progress bar would run, and no bar left of it."""
        image = self.card()
        yellow = lambda c: c[0] > 200 and c[1] > 150 and c[2] < 100
        return (yellow(pixel(image, 300, 240)) and yellow(pixel(image, 300, 272))
                and not yellow(pixel(image, 60, 255)))

    def popup(self):
        found = self.screen.find(POPUP_TITLE)
        return found[0] if found else None

    def wait_offer_buttons(self, timeout=40):
        """The popup once its Accept button is drawn, else None."""

        def ready():
            window = self.popup()
            if not window:
                return None
            # Windows keeps an owned window above its owner; the small window
            # manager of the test display does not (it raises whatever gets
            # activated), so the popup is put back on top the way Windows
            # would show it.
            self.screen.xdo("windowraise", str(window))
            geometry = self.screen.geometry(window)
            if not geometry:
                return None
            face = pixel(self.screen.grab((geometry[0] + 212, geometry[1] + 340, 1, 1)), 0, 0)
            return window if close_to(face, OFFER_BUTTON_FACE) else None

        return wait_until(ready, timeout, 0.5)

    def press_offer(self, which):
        """Raises the popup (see wait_offer_buttons) and clicks one of its
        buttons in the same breath: the owner can come back on top of it
        at the popup's next tick."""
        window = self.popup()
        left, top, _, _ = self.screen.geometry(window)
        x, y = POPUP_POINTS[which]
        self.screen.xdo("mousemove", str(left + x - 4), str(top + y))
        time.sleep(0.2)
        self.screen.xdo("windowactivate", str(window), "windowraise", str(window), "mousemove", str(left + x), str(top + y), "sleep", "0.05",
                        "mousedown", "1", "sleep", "0.05", "mouseup", "1")
        time.sleep(0.3)

    def offer_commands(self):
        """Command numbers the sample offer module received, in order."""
        try:
            with open(self.offer_record, "rb") as f:
                data = f.read()
        except OSError:
            return []
        commands, at = [], 0
        while at + 8 <= len(data):
            command, size = struct.unpack_from("<ii", data, at)
            commands.append(command)
            at += 8 + size
        return commands

    def press_offer_until_sent(self, which, attempts=15):
        """Presses the button until the module receives its command (5 for
        accept, 6 for decline); a press can land on the owner when that came
        back on top between the raise and the press."""
        command = {"accept": 5, "decline": 6}[which]
        before = self.offer_commands().count(command)
        for _ in range(attempts):
            if not self.popup():
                break
            self.press_offer(which)
            if wait_until(lambda: self.offer_commands().count(command) > before, 1.0):
                return True
        return self.offer_commands().count(command) > before

    def shot_popup(self, folder, name, attempts=8):
        """A screenshot of the popup taken while it is on top (see
        wait_offer_buttons), or None."""
        for _ in range(attempts):
            window = self.popup()
            if not window:
                return None
            self.screen.xdo("windowactivate", str(window), "windowraise", str(window))
            rect = self.screen.geometry(window)
            data = self.screen.grab_ppm(rect)
            if close_to(pixel(parse_ppm(data), 212, 340), OFFER_BUTTON_FACE):
                path = os.path.join(folder, name + ".png")
                os.makedirs(folder, exist_ok=True)
                subprocess.run(["convert", "ppm:-", path], input=data, check=True)
                self.shots.append(path)
                return path
            time.sleep(0.3)
        return None

    def popup_rect(self):
        return self.screen.geometry(self.popup())

    def boxes(self):
        """Visible windows of box size (the message boxes)."""
        out = []
        for window in self.screen.visible():
            geometry = self.screen.geometry(window)
            if geometry and (geometry[2], geometry[3]) in BOX_SIZES:
                out.append((window, geometry))
        return out

    def wait_box(self, timeout):
        found = wait_until(self.boxes, timeout, 0.5)
        return found[0] if found else None

    def press_box(self, box, which):
        """Clicks the left or right answer of a box found by boxes()."""
        window, geometry = box
        self.screen.click(window, *BOX_BUTTONS[(geometry[2], geometry[3])][which])

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.process and self.process.poll() is None:
            os.killpg(self.process.pid, 9)
            self.process.wait()

    def wait_log(self, text, timeout):
        return wait_until(lambda: text in self.log(), timeout, 0.5)
