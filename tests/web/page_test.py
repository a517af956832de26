"""The page played in Debian's headless Chromium, driven through chromium-driver in real time.

Chromium's virtual time barely moves a loop paced by the display, so every wait here is a real
one, for something the page shows.
"""

import functools
import http.server
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

HERE = os.path.dirname(os.path.abspath(__file__))
SESSIONS = os.path.normpath(os.path.join(HERE, "..", "sessions"))
PAGE_FILES = ["index.html", "kervana-page.js", "kervana.css", "kervana.js", "kervana.wasm",
              "kervana-frame-bench.js", "kervana-frame-bench.wasm",
              "kervana.data"]
LINUX_BUILD = WEB_BUILD = None


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Site:
    """The page's files and the files a test puts beside them, served as any static server would."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="kervana-page-")
        for name in PAGE_FILES:
            os.symlink(os.path.join(WEB_BUILD, name), os.path.join(self.folder, name))
        handler = functools.partial(QuietHandler, directory=self.folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.address = "http://127.0.0.1:%d/" % self.server.server_address[1]

    def close(self):
        self.server.shutdown()
        shutil.rmtree(self.folder)


def start_browser():
    options = webdriver.ChromeOptions()
    for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--enable-unsafe-swiftshader",
                 "--window-size=1000,800"]:
        options.add_argument(flag)
    options.binary_location = "/usr/bin/chromium"
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_for(browser, what, seconds, condition):
    try:
        return WebDriverWait(browser, seconds, poll_frequency=0.1).until(lambda b: condition(b))
    except TimeoutException:
        raise AssertionError("waited %d s for %s" % (seconds, what))


def without_frame_rate(path):
    """The dump with MeasuredFrameRate taken out: it measures the machine, not the game."""
    text = subprocess.run(["jq", "-S", "del(.. | .MeasuredFrameRate?)", path], check=True,
                          capture_output=True, text=True).stdout
    return json.loads(text)


def first_difference(a, b, where=""):
    if type(a) is not type(b):
        return where or "/"
    if isinstance(a, dict):
        for key in sorted(set(a) | set(b)):
            if key not in a or key not in b:
                return where + "/" + key
            found = first_difference(a[key], b[key], where + "/" + key)
            if found:
                return found
        return None
    if isinstance(a, list):
        if len(a) != len(b):
            return where + " (length)"
        for i, (x, y) in enumerate(zip(a, b)):
            found = first_difference(x, y, "%s[%d]" % (where, i))
            if found:
                return found
        return None
    return None if a == b else where


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = Site()
        cls.browser = start_browser()

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.site.close()

    # --- Playing in the page, as a player does.

    def open_game(self, query=""):
        self.browser.get(self.site.address + "index.html" + query)
        wait_for(self.browser, "the first picture", 30, lambda b: b.execute_script(
            "return document.documentElement.getAttribute('data-first-picture-ms')"))
        self.canvas = self.browser.find_element(By.ID, "canvas")

    def picture(self):
        """The canvas's pixels as the page shows them, one byte string of RGBA."""
        return self.browser.execute_script("""
            const c = document.getElementById('canvas');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let s = '';
            for (let i = 0; i < d.length; i += 4 * 97) s += String.fromCharCode(d[i], d[i+1], d[i+2]);
            return s;""")

    def settle(self, seconds=0.6):
        time.sleep(seconds)

    def at(self, x, y):
        """Moves the pointer over game pixel (x, y) of the scaled canvas."""
        size = self.canvas.size
        dx = (x + 0.5) * size["width"] / 800 - size["width"] / 2
        dy = (y + 0.5) * size["height"] / 600 - size["height"] / 2
        return ActionChains(self.browser).move_to_element_with_offset(self.canvas, int(dx), int(dy))

    def changes(self, action, what):
        before = self.picture()
        action()
        wait_for(self.browser, what + " to change the picture", 10,
                 lambda b: self.picture() != before)

    def test_the_menu_shows_and_answers_the_pointer_and_keys(self):
        self.open_game()
        wait_for(self.browser, "the menu", 10, lambda b: len(set(self.picture())) > 20)
        first = int(self.browser.execute_script(
            "return document.documentElement.getAttribute('data-first-picture-ms')"))
        print("\nfirst picture %d ms after navigation" % first, file=sys.stderr)
        self.settle()
        # The README's picture of the page: KERVANA_PAGE_SHOT=FILE.png keeps the menu as it shows.
        if os.environ.get("KERVANA_PAGE_SHOT"):
            self.browser.save_screenshot(os.environ["KERVANA_PAGE_SHOT"])
        self.at(560, 440).perform()
        self.settle()
        self.changes(lambda: self.at(400, 100).perform(), "hovering over a menu item")
        # A new game: the name field takes Czech letters from the keyboard.
        self.changes(lambda: self.at(300, 450).click().perform(), "clicking New game")
        self.settle()
        self.at(400, 250).click().perform()
        self.settle()
        self.changes(lambda: ActionChains(self.browser).send_keys("Žluťoučký kůň").perform(),
                     "typing a name")

    def test_the_button_and_alt_enter_switch_the_browsers_full_screen(self):
        self.open_game()
        self.settle()
        in_full_screen = "return document.fullscreenElement !== null"
        button = self.browser.find_element(By.ID, "fullscreen")
        for switch, what in [
                (lambda: button.click(), "the button"),
                (lambda: ActionChains(self.browser).key_down(Keys.ALT).send_keys(Keys.ENTER)
                 .key_up(Keys.ALT).perform(), "Alt+Enter")]:
            for wanted in [True, False]:
                switch()
                wait_for(self.browser, "%s to make full screen %s" % (what, wanted), 10,
                         lambda b: b.execute_script(in_full_screen) == wanted)
                self.settle(0.3)

    # A whole game played live, as in every-screen.script: each step, then how long the game
    # is given before the next (the wipes and the intro's pauses run in real time here).
    LIVE_GAME = [
        # The pointer starts at (0, 0), where going gives the game no move to see.
        (("pointer", [(1, 1), (0, 0), (399, 299), (400, 300), (798, 598), (799, 599),
                      (123, 457)]), 0.3),
        (("click", 300, 450), 1.0),            # New game
        (("click", 400, 250), 0.3),            # the name field
        (("type", "Žluťoučký kůň"), 0.3),
        (("paste", " Jan"), 0.3),              # from the browser's clipboard
        (("keys", Keys.CONTROL, Keys.SHIFT, Keys.LEFT), 0.2),
        (("keys", Keys.CONTROL, "c"), 0.5),    # "Jan" to the browser's clipboard
        (("keys", Keys.END), 0.2),
        (("keys", Keys.ENTER), 0.3),
        (("click", 170, 340), 0.3),
        (("click", 10, 10), 0.3),
        (("click", 400, 555), 1.0),
        (("click", 500, 460), 0.6),
        (("click", 500, 460), 0.3),
        (("click", 400, 555), 1.0),
        (("click", 100, 340), 0.3),
        (("click", 600, 310), 0.3),
        (("click", 400, 555), 1.0),
    ] + [(("click", 620, 578), 0.3)] * 9 + [  # the rolls
        (("click", 730, 570), 1.5),            # into the intro, and through it to the game
        (("hold key", Keys.DOWN, 0.7), 0.3),
        (("keys", Keys.LEFT), 0.5),
        (("hold button", 620, 250, 1.0), 0.5),
        (("keys", Keys.ALT, Keys.ENTER), 0.5),
        (("keys", Keys.ALT, Keys.ENTER), 0.5),
    ]

    def play(self, step):
        kind, *args = step
        act = ActionChains(self.browser, duration=0)
        if kind == "pointer":
            for x, y in args[0]:
                self.point_at(act, x, y).pause(0.1)
            act.perform()
        elif kind == "click":
            self.point_at(act, *args).click().perform()
        elif kind == "type":
            act.send_keys(args[0]).perform()
        elif kind == "keys":
            *held, key = args
            for k in held:
                act.key_down(k)
            act.send_keys(key)
            for k in reversed(held):
                act.key_up(k)
            act.perform()
        elif kind == "paste":
            # A headless browser has no clipboard of the system's: the paste event is made
            # here, then the Ctrl+V the game reads.
            self.browser.execute_script("""
                const data = new DataTransfer();
                data.setData('text/plain', arguments[0]);
                document.getElementById('canvas').dispatchEvent(new ClipboardEvent('paste',
                    {clipboardData: data, bubbles: true}));""", args[0])
            self.play(("keys", Keys.CONTROL, "v"))
        elif kind == "hold key":
            act.key_down(args[0]).pause(args[1]).key_up(args[0]).perform()
        elif kind == "hold button":
            x, y, seconds = args
            self.point_at(act, x, y).click_and_hold().pause(seconds).release().perform()

    def point_at(self, act, x, y):
        """Moves the pointer onto the page pixel that shows game pixel (x, y)."""
        box = self.browser.execute_script(
            "const r = document.getElementById('canvas').getBoundingClientRect();"
            "return [r.left, r.top, r.width / 800, r.height / 600];")
        left, top, sx, sy = box
        act.w3c_actions.pointer_action.move_to_location(
            math.ceil(left + x * sx), math.ceil(top + y * sy))
        return act

    def test_a_whole_game_played_in_the_page_replays_the_same_on_linux(self):
        self.open_game("?record=1")
        self.settle()
        self.browser.execute_script("""
            window.copied = [];
            navigator.clipboard.writeText = function (text) {
              window.copied.push(text);
              return Promise.resolve();
            };""")
        for step, seconds in self.LIVE_GAME:
            self.play(step)
            self.settle(seconds)
        in_full_screen = "return document.fullscreenElement !== null"
        self.assertFalse(self.browser.execute_script(in_full_screen))
        # Escape in full screen only leaves it; the next one ends the game.
        self.browser.find_element(By.ID, "fullscreen").click()
        wait_for(self.browser, "full screen", 10,
                 lambda b: b.execute_script(in_full_screen))
        ActionChains(self.browser).send_keys(Keys.ESCAPE).perform()
        wait_for(self.browser, "Escape to leave full screen", 10,
                 lambda b: not b.execute_script(in_full_screen))
        self.settle(1.0)
        ended = self.browser.find_element(By.ID, "ended")
        self.assertFalse(ended.is_displayed(), "Escape in full screen ended the game")
        ActionChains(self.browser).send_keys(Keys.ESCAPE).perform()
        wait_for(self.browser, "the end of the game", 20, lambda b: ended.is_displayed())
        self.assertEqual(self.browser.execute_script("return window.copied"), ["Jan"])

        work = tempfile.mkdtemp(prefix="kervana-live-")
        self.addCleanup(shutil.rmtree, work)
        recording = os.path.join(work, "live.recording")
        with open(recording, "w", encoding="utf-8") as f:
            f.write(self.browser.execute_async_script(
                "const done = arguments[0];"
                "fetch(document.getElementById('recording').href)"
                ".then(r => r.text()).then(done);"))
        # The game takes moves that queue up together as the last of them: each one it saw
        # must be the pixel pointed at, in order, and the last one must be among them.
        with open(recording, encoding="utf-8") as f:
            lines = f.read().split("\n")
        moves = [tuple(map(int, line.split()[1:]))
                 for line in lines[:lines.index("down left")] if line.startswith("move ")]
        moves = moves[:moves.index(self.LIVE_GAME[1][0][1:])]  # up to the first click's
        pointed = self.LIVE_GAME[0][0][1]
        self.assertEqual(moves[-1], pointed[-1], moves)
        self.assertEqual(moves, [p for p in pointed if p in moves], "the pointer's place")
        self.assertGreater(len(moves), len(pointed) // 2, moves)

        data = os.path.join(work, "data")
        shutil.copytree(os.path.join(LINUX_BUILD, "data"), data)
        state = os.path.join(work, "state.json")
        replayed = subprocess.run(
            [os.path.join(LINUX_BUILD, "kervana"), "--headless", "--data", data, "--replay",
             recording, "--state-out", state], capture_output=True, text=True)
        self.assertEqual(replayed.returncode, 0, replayed.stderr[-2000:])
        with open(state, encoding="utf-8") as f:
            hero = json.load(f)["Ingame"]["Hero"]
        self.assertEqual(hero["Name"], "Žluťoučký kůň Jan")
        self.assertTrue(any(stat["Value"] for stat in hero["Stats"]), "no rolled value")
        # The keys took him south and west, the held button on; he started at (19, 20).
        self.assertNotEqual((hero["CellX"], hero["CellY"]), (19, 20))

    def test_escape_ends_the_game_and_the_page_offers_another(self):
        # With ?record=1 the page also offers the session's recording.
        for query, recorded in [("", False), ("?record=1", True)]:
            self.open_game(query)
            self.settle()
            ActionChains(self.browser).send_keys(Keys.ESCAPE).perform()
            ended = self.browser.find_element(By.ID, "ended")
            wait_for(self.browser, "the end of the game" + query, 20,
                     lambda b: ended.is_displayed())
            self.assertIn("Hra skončila", ended.text)
            link = self.browser.find_element(By.ID, "recording")
            self.assertEqual(link.is_displayed(), recorded, query)
            if recorded:
                text = self.browser.execute_async_script(
                    "const done = arguments[0];"
                    "fetch(document.getElementById('recording').href)"
                    ".then(r => r.text()).then(done);")
                self.assertTrue(text.startswith("recorded"), text[:80])
            self.browser.find_element(By.ID, "again").click()
            wait_for(self.browser, "a new game", 30, lambda b: b.execute_script(
                "return document.documentElement.getAttribute('data-first-picture-ms')"
                " && !document.getElementById('ended').checkVisibility()"))

    def test_the_map_the_game_saves_stays_in_the_browsers_storage(self):
        maps = "return Module.FS.readdir('/data/maps').filter(n => !n.startsWith('.'))"
        self.open_game()
        self.settle()
        # The load button enters the game, which saves its map on the way in.
        self.at(500, 400).click().perform()
        wait_for(self.browser, "the map to be saved", 20,
                 lambda b: b.execute_script(maps))
        saved = self.browser.execute_script(maps)
        self.browser.execute_script("Module.FS.syncfs(false, () => {})")
        self.settle(1.0)
        self.open_game()
        wait_for(self.browser, "the saved map after a reload", 10,
                 lambda b: b.execute_script(maps) == saved)

    def test_f12_offers_the_screenshot_as_a_download(self):
        self.open_game()
        self.settle()
        self.browser.execute_script("""
            window.offeredTypes = [];
            const make = URL.createObjectURL;
            URL.createObjectURL = function (blob) {
              window.offeredTypes.push(blob.type);
              return make(blob);
            };""")
        ActionChains(self.browser).send_keys(Keys.F12).perform()
        wait_for(self.browser, "the screenshot's download", 10,
                 lambda b: "image/png" in b.execute_script("return window.offeredTypes"))

    def test_the_frame_bench_runs_in_the_page(self):
        # The best of three rounds each, the native one run while the browser waits on a blank
        # page: on a shared machine a round may lose the processor to anything.
        frames = int(os.environ.get("KERVANA_BENCH_FRAMES", "600"))
        web, native = [], []
        for _ in range(3):
            self.browser.get("about:blank")
            native.append(json.loads(subprocess.run(
                [os.path.join(LINUX_BUILD, "kervana-frame-bench"), "--data",
                 os.path.join(LINUX_BUILD, "data"), str(frames)],
                check=True, capture_output=True, text=True).stdout)["frame_us"])
            self.browser.get(self.site.address + "index.html?bench=%d" % frames)
            pre = wait_for(self.browser, "the frame bench", 120,
                           lambda b: b.find_elements(By.ID, "kervana-bench"))[0]
            result = json.loads(pre.text)
            self.assertEqual(result.get("frames"), frames, pre.text)
            web.append(result["frame_us"])
        print("\nframe: %.1f us in the page, %.1f us native (%.2fx)"
              % (min(web), min(native), min(web) / min(native)), file=sys.stderr)

    # --- The same game as on Linux.

    def run_hook(self, hook, path, linux_state, work):
        """Plays ?HOOK=PATH to its end; what went wrong (or None), and how long it took."""
        started = time.monotonic()
        self.browser.get(self.site.address + "index.html?%s=%s" % (hook, path))
        pre = wait_for(self.browser, "?%s=%s to end" % (hook, path), 300,
                       lambda b: b.find_elements(By.ID, "kervana-state"))[0]
        seconds = time.monotonic() - started
        status = pre.get_attribute("data-status")
        if status != "0":
            return "ended with status %s" % status, seconds
        page_state = os.path.join(work, "page.json")
        with open(page_state, "w", encoding="utf-8") as f:
            f.write(self.browser.execute_script(
                "return document.getElementById('kervana-state').textContent"))
        try:
            difference = first_difference(without_frame_rate(linux_state),
                                          without_frame_rate(page_state))
        except subprocess.CalledProcessError as e:
            return "the state dump is not JSON (%s)" % e.stderr.strip(), seconds
        if difference:
            return "the state dumps differ first at %s" % difference, seconds
        return None, seconds

    def test_every_session_recorded_on_linux_replays_the_same_in_the_page(self):
        scripts = sorted(f for f in os.listdir(SESSIONS) if f.endswith(".script"))
        self.assertTrue(scripts, "no sessions in " + SESSIONS)
        work = tempfile.mkdtemp(prefix="kervana-linux-")
        self.addCleanup(shutil.rmtree, work)
        os.makedirs(os.path.join(self.site.folder, "sessions"))
        failures = []
        for script in scripts:
            name = script[:-len(".script")]
            recording = os.path.join(self.site.folder, "sessions", name + ".recording")
            linux_state = os.path.join(work, name + ".json")
            data = os.path.join(work, "data")
            shutil.rmtree(data, ignore_errors=True)
            shutil.copytree(os.path.join(LINUX_BUILD, "data"), data)
            played = subprocess.run(
                [os.path.join(LINUX_BUILD, "kervana"), "--headless", "--data", data, "--script",
                 os.path.join(SESSIONS, script), "--record", recording, "--state-out",
                 linux_state], capture_output=True, text=True)
            if played.returncode != 0:
                failures.append("%s: the Linux game ended with %d: %s"
                                % (name, played.returncode, played.stderr.strip()[:300]))
                continue
            shutil.copy(os.path.join(SESSIONS, script), os.path.join(self.site.folder, "sessions"))
            with open(recording, encoding="utf-8") as lines:
                checks = sum(1 for line in lines if line.startswith("check "))
            # The recording replayed (every check of the picture's hash must pass), and the
            # script played afresh: both end where the Linux game ended.
            for hook, path in [("replay", name + ".recording"), ("script", script)]:
                problem, seconds = self.run_hook(hook, "sessions/" + path, linux_state, work)
                if problem:
                    failures.append("%s, ?%s: %s" % (name, hook, problem))
                else:
                    print("\n%s: ?%s ended as on Linux (%d checks) in %.1f s"
                          % (name, hook, checks, seconds), file=sys.stderr)
        self.assertEqual(failures, [])


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: page_test.py LINUX-BUILD WEB-BUILD [TEST-NAME...]")
    LINUX_BUILD = os.path.abspath(sys.argv[1])
    WEB_BUILD = os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[3:])
