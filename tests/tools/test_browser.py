"""The page in a real browser: headless Chromium driven by Selenium, both from Debian's
packages (chromium, chromium-driver, python3-selenium), so nothing is downloaded. Served by
tools/serve.py it plays a game against the engine with the mouse to its five and replays a
match file; as the static site (FIVEFOLD_SITE, served by a plain python3 -m http.server) it
plays the in-page engine to a five, analyses a position, opens its links in a fresh browser,
plays on after the network is gone, and plays by touch on a phone's screen at a level of the
levels table. The screenshots stay in FIVEFOLD_ARTIFACTS (the build folder)."""

import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

from fakes_helper import fake
from server_helper import Server

from fivefold_tools.build import ROOT, page_table

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

BRAIN = os.environ.get("FIVEFOLD_BRAIN")
SITE = os.environ.get("FIVEFOLD_SITE", "")
SITE_BUILT = os.path.isfile(os.path.join(SITE, "engine-worker.js"))
# tools/check.sh builds the site first: there a missing site is a failure, not a skip.
SITE_REQUIRED = os.environ.get("FIVEFOLD_REQUIRE_SITE") == "1"
ARTIFACTS = os.environ.get("FIVEFOLD_ARTIFACTS", tempfile.gettempdir())
CHROMIUM, CHROMEDRIVER = "/usr/bin/chromium", "/usr/bin/chromedriver"
# Chromium in a closed network: no background connections, no first-run work, no sandbox
# (the tests may run as root), no reliance on a large /dev/shm (containers keep it small).
BROWSER_FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
                 "--window-size=1180,860")
# The person's moves: spaced along two edges, never a threat, so the engine makes its five.
HARMLESS = [(x, y) for y in (0, 14) for x in range(0, 15, 2)]
# Two games as tools/match.py writes them: black's five along row 7, then a time forfeit.
MATCH = [
    {"game": 0, "black": "one", "white": "two", "size": [15, 15], "rule": "exact5",
     "opening": [[7, 7], [8, 8]],
     "moves": [{"colour": c, "x": x, "y": y, "ms": 5} for c, x, y in
               (("black", 6, 7), ("white", 8, 6), ("black", 5, 7), ("white", 8, 5),
                ("black", 4, 7), ("white", 8, 4), ("black", 3, 7))],
     "five": [[3, 7], [4, 7], [5, 7], [6, 7], [7, 7]], "winner": "black",
     "winner_name": "one", "result": "1-0", "reason": "five"},
    {"game": 1, "black": "two", "white": "one", "size": [15, 15], "rule": "exact5",
     "opening": [[7, 7]], "moves": [], "winner": "white", "winner_name": "one",
     "result": "0-1", "reason": "time_forfeit"},
]


# The stones on a board, as (x, y, colour) with 1 black.
STONES = ("return [...document.querySelectorAll('circle.stone')].map(c => "
          "[+c.dataset.x, +c.dataset.y, c.classList.contains('black') ? 1 : 2])")
# The visible controls that do not lie wholly within the screen's width, and the page's
# width when it is wider than the screen.
OFF_SCREEN = """
const width = document.documentElement.clientWidth;
const off = [];
for (const e of document.querySelectorAll("button, input, select, label, a, #board")) {
  const r = e.getBoundingClientRect();
  if (r.width && r.height && (r.left < -0.5 || r.right > width + 0.5)) {
    off.push(`${e.tagName} ${e.id || e.name || e.textContent.trim().slice(0, 30)}: ` +
             `${Math.round(r.left)}..${Math.round(r.right)}`);
  }
}
const wide = document.documentElement.scrollWidth;
return wide > width ? [...off, `the page is ${wide} px wide`] : off;
"""
# The site's version, as site-files.js gives it.
VERSION = re.compile(r'version: "(\w+)"')


def square(x, y):
    return '[data-x="%d"][data-y="%d"]' % (x, y)


def stones(driver):
    return sorted(map(tuple, driver.execute_script(STONES)))


def png_size(path):
    """(width, height) of a PNG file; fails on anything else."""
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise AssertionError("%s is no PNG" % path)
    return struct.unpack(">II", head[16:24])


class Browser(unittest.TestCase):
    """A fresh headless Chromium per test, and what the tests ask of the page."""

    def setUp(self):
        self.browsers = []
        self.driver = self.fresh_browser()
        self.wait = WebDriverWait(self.driver, 20)

    def tearDown(self):
        for driver, profile in self.browsers:
            driver.quit()
            profile.cleanup()

    def fresh_browser(self):
        """A browser of its own profile, quit at the test's end."""
        profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in BROWSER_FLAGS + ("--user-data-dir=" + profile.name,):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.browsers.append((driver, profile))
        return driver

    def find(self, css):
        return self.driver.find_elements(By.CSS_SELECTOR, css)

    def status(self):
        return self.find("#status")[0].text

    def screenshot(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.driver.save_screenshot(os.path.join(ARTIFACTS, name))

    def play_to_the_end(self):
        """Clicks harmless squares until the game ends; the engine's stone must follow each."""
        for x, y in HARMLESS:
            self.wait.until(lambda d: "your move" in self.status() or self.find(".five"))
            if self.find(".five"):
                return
            count = len(self.find("circle.stone"))
            if self.find("circle.stone" + square(x, y)):
                continue
            self.find("rect.hit" + square(x, y))[0].click()
            self.wait.until(lambda d: len(self.find("circle.stone")) >= count + 2
                            or self.find(".five"))
            if not self.find(".five"):
                self.assertEqual(len(self.find("circle.stone.white.last")), 1)
        self.fail("no five after every harmless square")

    def fill(self, form, **values):
        for name, value in values.items():
            field = self.find(form)[0].find_element(By.NAME, name)
            if field.tag_name == "select":
                Select(field).select_by_value(value)
            else:
                field.clear()
                field.send_keys(value)

    def play_a_game_to_the_engines_five(self, name, **settings):
        """Starts a game as black with these settings and plays it to the five of the engine
        of this name."""
        self.wait.until(lambda d: self.find("#play-form select.brains option"))
        self.fill("#play-form", human="black", **settings)
        self.find("#new-game")[0].click()
        self.wait.until(lambda d: "your move" in self.status())
        self.find("rect.hit" + square(7, 7))[0].click()
        self.wait.until(lambda d: len(self.find("circle.stone")) == 2)
        self.assertTrue(self.find("circle.stone.black" + square(7, 7)))
        self.play_to_the_end()
        self.wait.until(lambda d: "wins with five in a row" in self.status())
        self.assertIn("white (%s) wins" % name, self.status())
        self.assertEqual(len(self.find("circle.five")), 5)
        self.assertFalse(self.find("rect.hit"), "the finished board still takes clicks")
        lines = [li.text for li in self.find("#lines li")]
        self.assertIn("five", "".join(li for li in lines if "MESSAGE THR: M4" in li))


@unittest.skipUnless(BRAIN, "FIVEFOLD_BRAIN names the brain to test")
class ServerPageTest(Browser):
    """The page of tools/serve.py; the game is played by a brain given with --brain, which
    plays on the server whether or not the in-page engine is built."""

    def setUp(self):
        # The scripted brain answers along the left edge, never in the way.
        self.server = Server(BRAIN, "--brain", "native=" + BRAIN, "--brain",
                             "edge=" + fake("scripted", "0,0", "0,2", "0,4", "0,6", "0,8"))
        super().setUp()

    def tearDown(self):
        super().tearDown()
        self.assertTrue(self.server.stop())

    def test_play_the_engine_to_a_five_then_replay_a_match(self):
        self.driver.get(self.server.url)
        self.play_a_game_to_the_engines_five("native", brain="1", time_ms="100")
        self.screenshot("browser-game.png")

        with tempfile.NamedTemporaryFile("w", suffix=".jsonl", delete=False) as f:
            f.write("".join(json.dumps(record) + "\n" for record in MATCH))
        try:
            self.find('.tab[data-mode="replay"]')[0].click()
            self.find("#match-file")[0].send_keys(f.name)
            self.wait.until(lambda d: len(self.find("#games tbody tr")) == 2)
        finally:
            os.unlink(f.name)
        self.assertEqual(len(self.find("circle.stone")), 9)
        self.assertEqual(len(self.find("circle.five")), 5)
        body = self.find("body")[0]
        body.send_keys(Keys.ARROW_LEFT)
        self.assertEqual(len(self.find("circle.stone")), 8)
        self.assertFalse(self.find("circle.five"))
        self.assertFalse(self.find("circle.stone" + square(3, 7)))
        body.send_keys(Keys.ARROW_LEFT, Keys.ARROW_LEFT, Keys.ARROW_RIGHT)
        self.assertEqual(self.find("#move-count")[0].text, "7 / 9")
        self.find("#games tbody tr")[1].click()
        self.assertIn("game 2: two (black) against one (white)", self.status())
        self.assertIn("by time forfeit", self.status())
        self.assertEqual(len(self.find("circle.stone")), 1)
        self.screenshot("browser-replay.png")

    def forbidden_marks(self):
        return [(int(p.get_attribute("data-x")), int(p.get_attribute("data-y")))
                for p in self.find("path.forbidden")]

    def test_renju_marks_black_s_forbidden_points_and_refuses_a_click_on_one(self):
        self.driver.get(self.server.url)
        self.wait.until(lambda d: self.find("#play-form select.brains option"))
        brains = [option.text for option in self.find("#play-form select.brains option")]
        self.fill("#play-form", human="black", rule="renju", brain=str(brains.index("edge")))
        self.find("#new-game")[0].click()
        # Open threes on row 7 and down column 7 meet at 7,7: a double three.
        for x, y in ((5, 7), (6, 7), (7, 5), (7, 6)):
            self.wait.until(lambda d: "your move" in self.status())
            self.assertEqual(self.forbidden_marks(), [])
            stones = len(self.find("circle.stone"))
            self.find("rect.hit" + square(x, y))[0].click()
            self.wait.until(lambda d: len(self.find("circle.stone")) == stones + 2)
        self.wait.until(lambda d: "your move" in self.status())
        self.assertEqual(self.forbidden_marks(), [(7, 7)])
        self.find("rect.hit" + square(7, 7))[0].click()
        self.wait.until(lambda d: "7,7 is forbidden to black (a double three)" in self.status())
        self.assertFalse(self.find("circle.stone" + square(7, 7)))
        self.screenshot("browser-renju.png")
        # Analyse marks them as well, by the rule chosen there and for black to move only.
        self.find('.tab[data-mode="analyse"]')[0].click()
        self.fill("#analyse-form", rule="renju",
                  position="15 15 5,7,1 6,7,1 7,5,1 7,6,1 0,0,2 0,2,2 0,4,2 0,6,2")
        self.find("#set-position")[0].click()
        self.assertEqual(self.forbidden_marks(), [(7, 7)])
        for changes in ({"to_move": "white"}, {"to_move": "black", "rule": "exact5"}):
            self.fill("#analyse-form", **changes)
            self.assertEqual(self.forbidden_marks(), [])

    def test_download_the_game_played_then_replay_the_files(self):
        self.driver.get(self.server.url)
        self.play_a_game_to_the_engines_five("native", brain="1", time_ms="100")
        stones = len(self.find("circle.stone"))
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": folder.name})
        files = []
        for kind in ("sgf", "psq"):
            Select(self.find("#download-format")[0]).select_by_value(kind)
            self.find("#download")[0].click()
            files.append(os.path.join(folder.name, "fivefold-game-1." + kind))
            self.wait.until(lambda d: os.path.exists(files[-1]))
        self.find('.tab[data-mode="replay"]')[0].click()
        for path in files:
            self.find("#match-file")[0].send_keys(path)
            self.wait.until(lambda d: "game 1: you (black) against native (white); 0-1, white "
                            "(native) won by five" in self.status())
            self.assertEqual(len(self.find("circle.stone")), stones)
            self.assertEqual(len(self.find("circle.five")), 5)
        # A file of three games whose second cannot be read: the others listed, its message
        # on the page.
        bad = os.path.join(folder.name, "three.txt")
        with open(bad, "w") as f:
            f.write("(;GM[4]SZ[15]PB[a]PW[b];B[hh];W[ih])(;GM[4]SZ[15:10];B[ak])"
                    "(;GM[4]SZ[15]PB[c]PW[d];B[hh])")
        self.find("#match-file")[0].send_keys(bad)
        self.wait.until(lambda d: len(self.find("#games tbody tr")) == 2)
        self.assertEqual([li.text for li in self.find("#record-problems li")],
                         ["three.txt: game 2: move 1: B[ak] is off the 15x10 board"])
        self.assertIn("three.txt: game 2: move 1", self.status())
        self.find("#games tbody tr")[1].click()
        self.assertIn("c (black) against d (white); the result is not recorded", self.status())



@unittest.skipUnless(SITE_BUILT or SITE_REQUIRED, "FIVEFOLD_SITE names no built site (%r): "
                     "cmake --preset wasm && cmake --build --preset wasm --target site" % SITE)
class StaticSiteTest(Browser):
    """The site folder served by a plain static server: no API, the engine in the page."""

    def setUp(self):
        self.assertTrue(SITE_BUILT, "FIVEFOLD_SITE=%r holds no built site" % SITE)
        self.http = None
        self.serve(SITE)
        super().setUp()

    def serve(self, folder, port=0):
        """Serves the folder (on this port, 0 for any) in place of the one served before."""
        self.stop_serving()
        self.http = subprocess.Popen(
            [sys.executable, "-u", "-m", "http.server", str(port), "--bind", "127.0.0.1",
             "--directory", folder], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
            text=True)
        port = re.search(r"port (\d+)", self.http.stdout.readline())
        self.url = "http://127.0.0.1:%s/" % (port and port.group(1))

    def stop_serving(self):
        if self.http:
            self.http.kill()
            self.http.wait()
            self.http.stdout.close()
            self.http = None

    def tearDown(self):
        super().tearDown()
        self.stop_serving()

    def test_play_the_in_page_engine_to_a_five(self):
        self.driver.get(self.url)
        # Node-limited, so that the moves do not depend on the machine's speed.
        self.play_a_game_to_the_engines_five("fivefold", time_ms="5000", max_node="20000")
        self.assertFalse(self.find("#fatal")[0].is_displayed())
        self.screenshot("browser-static-game.png")

    def marked(self):
        marked = self.wait.until(lambda d: self.find("circle.marked"))[0]
        return int(marked.get_attribute("data-x")), int(marked.get_attribute("data-y"))

    def test_analyse_an_open_three_then_the_open_four_it_makes(self):
        self.driver.get("file://" + os.path.join(os.path.abspath(SITE), "index.html"))
        self.assertIn("python3 -m http.server", self.find("#fatal")[0].text)
        self.driver.get(self.url)
        self.wait.until(lambda d: self.find("#play-form select.brains option"))
        self.find('.tab[data-mode="analyse"]')[0].click()
        self.fill("#analyse-form", position="15 15 5,7,1 6,7,1 x", max_depth="8")
        self.find("#set-position")[0].click()
        self.assertIn("bad stone 'x' (expected x,y,c)", self.status())
        # Black (three stones each: black to move) has an open three on row 8.
        self.fill("#analyse-form", position="15 15 6,7,1 7,7,1 8,7,1 0,0,2 0,14,2 14,0,2")
        self.find("#set-position")[0].click()
        self.assertEqual(len(self.find("circle.stone.black")), 3)
        self.find("rect.hit" + square(6, 7))[0].click()
        self.assertIn("g8 is taken", self.status())
        self.find("#ask")[0].click()
        x, y = self.marked()
        self.assertIn((x, y), [(5, 7), (9, 7)])
        self.assertIn("own three: this move makes an open four", self.find("#lines")[0].text)
        # The three's key names its window: nine squares of row 8 around the three.
        named = {(int(r.get_attribute("x")), int(r.get_attribute("y"))) for r in
                 self.find("rect.named")}
        self.assertEqual(len(named), 9)
        self.assertEqual(len({top for _, top in named}), 1)
        # Played, it makes an open four; asked for black again, the engine completes it.
        self.find("#play-answer")[0].click()
        self.fill("#analyse-form", to_move="black")
        self.find("#ask")[0].click()
        self.assertIn(self.marked(), [(4, 7), (9, 7)] if x == 5 else [(5, 7), (10, 7)])
        self.assertIn("own four: this move makes five", self.find("#lines")[0].text)
        self.screenshot("browser-analyse.png")
        self.find("#play-answer")[0].click()
        self.assertEqual(len(self.find("circle.five")), 5)
        self.assertIn("holds a five", self.status())

    def test_a_link_opens_the_same_board_tab_and_move_in_a_fresh_browser(self):
        self.driver.get(self.url)
        with tempfile.NamedTemporaryFile("w", suffix=".jsonl", delete=False) as f:
            f.write("".join(json.dumps(record) + "\n" for record in MATCH))
        self.addCleanup(os.unlink, f.name)
        self.find('.tab[data-mode="replay"]')[0].click()
        self.find("#match-file")[0].send_keys(f.name)
        self.wait.until(lambda d: len(self.find("#games tbody tr")) == 2)
        self.find("body")[0].send_keys(Keys.ARROW_LEFT, Keys.ARROW_LEFT)
        self.assertEqual(self.find("#move-count")[0].text, "7 / 9")
        replayed, replay_link = stones(self.driver), self.driver.current_url
        # Copy link puts the address on the clipboard; Save image writes the board as a PNG
        # at twice the size of its drawing.
        origin = self.url.rstrip("/")
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": origin, "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.find("#copy-link")[0].click()
        self.wait.until(lambda d: "link to this board is copied" in self.status())
        copied = self.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0])")
        self.assertEqual(copied, replay_link)
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": folder.name})
        self.find("#save-image")[0].click()
        picture = os.path.join(folder.name, "fivefold-board.png")
        self.wait.until(lambda d: os.path.exists(picture))
        box = self.driver.execute_script("const b = document.querySelector('#board')"
                                         ".viewBox.baseVal; return [b.width, b.height]")
        self.assertEqual(png_size(picture), tuple(round(2 * side) for side in box))
        # A position set up in the Analyse tab, white to move.
        self.find('.tab[data-mode="analyse"]')[0].click()
        self.fill("#analyse-form", position="13 11 7,7,1 5,5,2 9,9,2")
        self.find("#set-position")[0].click()
        analysed, analyse_link = stones(self.driver), self.driver.current_url

        fresh = self.fresh_browser()
        wait = WebDriverWait(fresh, 20)
        chosen = 'return document.querySelector(".tab.chosen").dataset.mode'
        fresh.get(replay_link)
        wait.until(lambda d: d.find_element(By.ID, "move-count").text == "7 / 9")
        self.assertEqual(fresh.execute_script(chosen), "replay")
        self.assertEqual(stones(fresh), replayed)
        self.assertIn("one (black) against two (white); 1-0, black (one) won by five",
                      fresh.find_element(By.ID, "status").text)
        fresh.find_element(By.ID, "next").click()
        self.assertEqual(len(fresh.find_elements(By.CSS_SELECTOR, "circle.stone")), 8)
        fresh.get("about:blank")
        fresh.get(analyse_link)
        wait.until(lambda d: d.execute_script(chosen) == "analyse")
        self.assertEqual(stones(fresh), analysed)
        self.assertEqual(len(analysed), 3)
        form = fresh.find_element(By.ID, "analyse-form")
        self.assertEqual(Select(form.find_element(By.NAME, "to_move")).first_selected_option
                         .get_attribute("value"), "white")
        self.assertEqual(form.find_element(By.NAME, "width").get_attribute("value"), "13")

    def start_a_game_at_level(self, name):
        """Starts a game as black at the level of this name from the levels table, whose
        limits the page has put in the fields."""
        level = next(level for level in page_table("levels.json")["levels"]
                     if level["name"] == name)
        self.wait.until(lambda d: self.find("#play-form select.brains option"))
        self.fill("#play-form", human="black", level=name)
        form = self.find("#play-form")[0]
        for field, key in (("time_ms", "timeout_turn"), ("max_node", "max_node")):
            self.assertEqual(form.find_element(By.NAME, field).get_attribute("value"),
                             str(level[key]))
        self.find("#new-game")[0].click()
        self.wait.until(lambda d: "your move" in self.status())

    def test_kept_offline_and_replaced_whole_by_a_new_version(self):
        # A copy of the site, which a new version then replaces.
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        site = os.path.join(folder.name, "site")
        shutil.copytree(SITE, site)
        self.serve(site)
        port = re.search(r":(\d+)/", self.url).group(1)
        self.driver.get(self.url)
        self.wait.until(lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
        installable = self.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
        self.assertEqual(installable["installabilityErrors"], [])
        with open(os.path.join(site, "site-files.js")) as f:
            first = VERSION.search(f.read()).group(1)
        kept = lambda: self.driver.execute_async_script("caches.keys().then(arguments[0])")
        self.assertEqual(kept(), ["fivefold-" + first])

        # The network gone: no server, and the browser offline. The page loads and plays.
        self.stop_serving()
        self.driver.execute_cdp_cmd("Network.enable", {})
        conditions = {"latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                                    {"offline": True, **conditions})
        self.driver.refresh()
        self.start_a_game_at_level("beginner")
        self.find("rect.hit" + square(7, 7))[0].click()
        self.wait.until(lambda d: len(self.find("circle.stone")) == 2)
        self.assertIn("your move", self.status())
        self.screenshot("browser-offline.png")

        # Back online, the site changed: the page offers the new version, and reloaded into
        # it keeps that version's files alone.
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                                    {"offline": False, **conditions})
        with open(os.path.join(site, "style.css"), "a") as f:
            f.write("#update { font-weight: 600; }\n")
        built = subprocess.run(["cmake", "-DSITE=" + site, "-P",
                                os.path.join(ROOT, "src", "wasm", "site_files.cmake")])
        self.assertEqual(built.returncode, 0)
        with open(os.path.join(site, "site-files.js")) as f:
            second = VERSION.search(f.read()).group(1)
        self.assertNotEqual(second, first)
        self.serve(site, port)
        self.driver.refresh()
        self.wait.until(lambda d: self.find("#update")[0].is_displayed())
        self.assertEqual(kept(), ["fivefold-" + first, "fivefold-" + second])
        self.find("#reload")[0].click()
        self.wait.until(lambda d: kept() == ["fivefold-" + second])
        self.wait.until(lambda d: not self.find("#update")[0].is_displayed())

    def test_a_phone_plays_by_two_taps_at_a_level(self):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 390, "height": 844, "deviceScaleFactor": 2, "mobile": True})
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                    {"enabled": True, "maxTouchPoints": 1})
        self.driver.get(self.url)
        self.wait.until(lambda d: self.find("#play-form select.brains option"))
        for mode in ("watch", "replay", "analyse", "play"):
            self.find('.tab[data-mode="%s"]' % mode)[0].click()
            self.assertEqual(self.driver.execute_script(OFF_SCREEN), [], mode)
        levels = page_table("levels.json")["levels"]
        self.assertEqual([option.get_attribute("value") for option in
                          self.find("#play-form select[name=level] option")],
                         [level["name"] for level in levels] + ["custom"])
        for box in ("#confirm-taps", "#show-numbers"):
            if not self.find(box)[0].is_selected():
                self.find(box)[0].click()
        self.start_a_game_at_level("beginner")

        def tap(x, y):
            target = self.find("rect.hit" + square(x, y))[0]
            box = self.driver.execute_script(
                "arguments[0].scrollIntoView({block: 'center'});"
                "const r = arguments[0].getBoundingClientRect();"
                "return [r.left + r.width / 2, r.top + r.height / 2]", target)
            point = {"x": box[0], "y": box[1]}
            for kind, points in (("touchStart", [point]), ("touchEnd", [])):
                self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                            {"type": kind, "touchPoints": points})

        tap(7, 7)
        self.wait.until(lambda d: self.find("circle.pending"))
        self.assertFalse(self.find("circle.stone"))
        self.assertIn("h8: tap it again to play it", self.status())
        tap(7, 7)
        self.wait.until(lambda d: len(self.find("circle.stone")) == 2)
        self.assertFalse(self.find("circle.pending"))
        self.assertIn((7, 7, 1), stones(self.driver))
        # The engine answers a lone stone without a search; its next answer is searched.
        tap(0, 0)
        tap(0, 0)
        self.wait.until(lambda d: len(self.find("circle.stone")) == 4)
        self.assertEqual([t.text for t in self.find("text.number")], ["1", "2", "3", "4"])
        # The beginner's node limit reached the engine: one node ends its search in the
        # first move it tries.
        first_move = page_table("engine_words.json")["endings"]["T1Aa"]
        self.assertIn(first_move, self.find("#lines")[0].text)
        self.assertEqual(self.driver.execute_script(OFF_SCREEN), [])
        self.screenshot("browser-phone.png")

if __name__ == "__main__":
    unittest.main()
