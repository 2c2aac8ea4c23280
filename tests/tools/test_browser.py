"""The page in a real browser: headless Chromium driven by Selenium, both from Debian's
packages (chromium, chromium-driver, python3-selenium), so nothing is downloaded. It plays
a game against the engine with the mouse to its five and replays a match file; the
screenshots stay in FIVEFOLD_ARTIFACTS (the build folder)."""

import json
import os
import tempfile
import unittest

from server_helper import Server

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

BRAIN = os.environ.get("FIVEFOLD_BRAIN")
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


def square(x, y):
    return '[data-x="%d"][data-y="%d"]' % (x, y)


@unittest.skipUnless(BRAIN, "FIVEFOLD_BRAIN names the brain to test")
class BrowserTest(unittest.TestCase):
    def setUp(self):
        self.server = Server(BRAIN)
        self.profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in BROWSER_FLAGS + ("--user-data-dir=" + self.profile.name,):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.wait = WebDriverWait(self.driver, 20)

    def tearDown(self):
        self.driver.quit()
        self.profile.cleanup()
        self.assertTrue(self.server.stop())

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

    def test_play_the_engine_to_a_five_then_replay_a_match(self):
        self.driver.get(self.server.url)
        self.wait.until(lambda d: self.find("#play-form select.brains option"))
        form = self.find("#play-form")[0]
        time_field = form.find_element(By.NAME, "time_ms")
        time_field.clear()
        time_field.send_keys("100")
        Select(form.find_element(By.NAME, "human")).select_by_value("black")
        self.find("#new-game")[0].click()
        self.wait.until(lambda d: "your move" in self.status())
        self.find("rect.hit" + square(7, 7))[0].click()
        self.wait.until(lambda d: len(self.find("circle.stone")) == 2)
        self.assertTrue(self.find("circle.stone.black" + square(7, 7)))
        self.play_to_the_end()
        self.wait.until(lambda d: "wins with five in a row" in self.status())
        self.assertIn("white (fivefold) wins", self.status())
        self.assertEqual(len(self.find("circle.five")), 5)
        self.assertFalse(self.find("rect.hit"), "the finished board still takes clicks")
        lines = [li.text for li in self.find("#lines li")]
        self.assertIn("five", "".join(li for li in lines if "MESSAGE THR: M4" in li))
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


if __name__ == "__main__":
    unittest.main()
