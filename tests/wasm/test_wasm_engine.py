"""The WebAssembly engine against the native one: the bench under Node answers every position
as the native bench does, and the brain under Node and the site's Web Worker answer the same
protocol sessions byte for byte as the native brain (but for the search rate after "S:").

Environment: FIVEFOLD_BENCH and FIVEFOLD_BRAIN (native), FIVEFOLD_WASM_BENCH,
FIVEFOLD_WASM_BRAIN and FIVEFOLD_WORKER_BRAIN (command lines, split like a shell would),
FIVEFOLD_SITE (the site folder), FIVEFOLD_SITE_ZIP (its zip)."""

import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path[:0] = [os.path.join(ROOT, "tests", "protocol"), os.path.join(ROOT, "tests", "bench")]

from brain import MOVE, Session  # noqa: E402
from test_bench import documented_signature  # noqa: E402

RATE = re.compile(r" S:-?\d+$")


def command(variable):
    return shlex.split(os.environ[variable])


WASM_BRAINS = ("FIVEFOLD_WASM_BRAIN", "FIVEFOLD_WORKER_BRAIN")


def setUpModule():
    for variable in ("FIVEFOLD_BENCH", "FIVEFOLD_BRAIN"):
        if not os.path.exists(command(variable)[0]):
            raise RuntimeError(f"{command(variable)[0]} is missing: the native programs are "
                               "built first (cmake --build --preset release)")


class BenchTest(unittest.TestCase):
    def test_every_builtin_position_alike_at_depth_8(self):
        compare = subprocess.run(
            [sys.executable, os.path.join(ROOT, "tools", "bench_compare.py"),
             os.environ["FIVEFOLD_BENCH"], os.environ["FIVEFOLD_WASM_BENCH"], "--depth", "8",
             "--runs", "1"], capture_output=True, text=True, timeout=600, check=False)
        self.assertEqual(0, compare.returncode, compare.stdout + compare.stderr)
        self.assertIn("positions alike: yes", compare.stdout)
        with tempfile.NamedTemporaryFile("w") as positions:  # the built-in set as a file
            subprocess.run([os.environ["FIVEFOLD_BENCH"], "--list"], stdout=positions, check=True)
            wasm = subprocess.run(command("FIVEFOLD_WASM_BENCH") + [positions.name], timeout=600,
                                  capture_output=True, text=True, check=True).stdout.splitlines()
        summary = json.loads(wasm[-1])
        self.assertEqual(documented_signature(), summary["nodes"])
        self.assertGreaterEqual(summary["positions"], 30)


class Transcript:
    """A brain's output lines, read as they come, with the search rate taken out."""

    def __init__(self, variable):
        self.session = Session(command(variable))
        self.lines = []

    def read_until(self, done):
        while True:
            line = self.session.read_line(timeout=60, skip_messages=False)
            if line is None:
                raise AssertionError(f"the brain ended early; it wrote {self.lines}")
            self.lines.append(RATE.sub(" S:", line))
            if done(line):
                return line

    def turn(self, *lines):
        """Sends lines that start a turn; returns the move line."""
        self.session.send(*lines)
        return self.read_until(MOVE.fullmatch)

    def end(self):
        self.session.send("END")
        while (line := self.session.read_line(timeout=60, skip_messages=False)) is not None:
            self.lines.append(RATE.sub(" S:", line))
        status = self.session.wait()
        self.session.close()
        return status


ABOUT = 'name="Fivefold", version="1.0.0", author="Fivefold team", country="International"'


def run_script(variable, script):
    """Feeds a script to a fresh brain; returns its output and exit status. A step starting
    with ">" starts a turn: the brain is first asked ABOUT, so that every earlier reply is
    read, and then the step's move line is awaited, so that no later command meets a
    running search (which the native brain would end early). (ABOUT is the barrier: the
    scripts do not send it themselves.)"""
    brain = Transcript(variable)
    try:
        for step in script:
            lines = step.lstrip("> ").split("\n")
            if step.startswith(">"):
                brain.session.send("ABOUT")
                brain.read_until(lambda line: line == ABOUT)
                brain.turn(*lines)
            else:
                brain.session.send(*lines)
        return brain.lines, brain.end()
    finally:
        brain.session.close()


LIMITS = ["INFO timeout_turn 1000000", "INFO time_left 1000000000"]

SCRIPTS = {
    # BOARD first: its stone lines are read on the default board that it sets up.
    "no board yet": LIMITS + ["INFO max_node 5000", "> BOARD\n19,19,2\n18,18,1\n0,19,2\nDONE",
                              "> TURN 17,17"],
    "commands and errors": LIMITS + [
        "INFO max_depth 6", "START 21", "RECTSTART 4,20", "RECTSTART x,1", "HELLO",
        "PLAY 3,3", "START 12", "> BEGIN", "> TURN 5,6", "TURN 12,0", "TURN 3", "PLAY 6,6",
        "PLAY 6,6", "TAKEBACK 6,6", "TAKEBACK 0,0", "> TURN 6,6", "> TURN 4,4", "> turn 7,7",
        "START 7", "> BOARD\nDONE", "INFO max_depth 0", "INFO max_node 3000", "START 15",
        "> BOARD\n1,1,1\n1,1,2\n2,2,2\n30,1,1", "TAKEBACK 1,1", "> TURN 1,1", "> BEGIN",
    ],
    "positions": LIMITS + [
        "INFO max_node 20000", "RECTSTART 20,9",
        # An own four to complete, a winning-line stone, an opponent open three.
        "> BOARD\n3,3,1\n4,3,1\n5,3,1\n6,3,1\n3,4,2\n4,4,2\n5,4,2\n9,4,3\nDONE",
        "> BOARD\n10,4,2\n11,4,2\n12,4,2\n10,5,1\n12,6,1\nDONE",
        "> BOARD\n8,4,2\n9,4,1\n8,5,2\n8,3,1\n10,5,2\n7,5,1\n9,6,2\nDONE",
        "TAKEBACK 9,6", "TAKEBACK 7,5", "> TURN 9,6", "> TURN 6,2", "START 20",
        "> BOARD\n10,10,2\n10,11,1\n11,11,2\n9,9,2\n12,12,1\n11,10,2\n9,10,1\nDONE",
        "> TURN 12,10", "> TURN 8,8",
    ],
}


def five_at(stones, x, y):
    """True when the stone on x,y makes a row of five or more of its colour."""
    colour = stones[(x, y)]
    for dx, dy in ((1, 0), (0, 1), (1, 1), (1, -1)):
        length = 1
        for sign in (1, -1):
            step = 1
            while stones.get((x + sign * step * dx, y + sign * step * dy)) == colour:
                length += 1
                step += 1
        if length >= 5:
            return True
    return False


def self_play(variable, setup, width, height):
    """Two fresh brains of one kind play a game to its end: a five, or a full board. Returns
    the output of both, in the order it came, and their exit statuses."""
    first, second = Transcript(variable), Transcript(variable)
    try:
        for brain in (first, second):
            brain.session.send(*setup)
        move = first.turn("BEGIN")
        stones, side, other = {}, first, second
        while True:
            x, y = (int(n) for n in move.split(","))
            stones[(x, y)] = side
            if five_at(stones, x, y) or len(stones) == width * height:
                break
            side, other = other, side
            move = side.turn(f"TURN {x},{y}")
        return first.lines + ["--- second brain"] + second.lines, (first.end(), second.end())
    finally:
        first.session.close()
        second.session.close()


GAMES = {
    "15 x 15, node-limited": (LIMITS + ["INFO max_node 30000", "START 15"], 15, 15),
    "20 x 12, depth-limited": (LIMITS + ["INFO max_depth 6", "RECTSTART 20,12"], 20, 12),
    "6 x 6 to a full board": (LIMITS + ["INFO max_node 4000", "START 6"], 6, 6),
}


class SessionTest(unittest.TestCase):
    def test_scripts(self):
        for name, script in SCRIPTS.items():
            native = run_script("FIVEFOLD_BRAIN", script)
            for variable in WASM_BRAINS:
                with self.subTest(script=name, brain=variable):
                    self.assertEqual(native, run_script(variable, script))

    def test_self_play_games(self):
        for name, (setup, width, height) in GAMES.items():
            native = self_play("FIVEFOLD_BRAIN", setup, width, height)
            self.assertGreater(len(native[0]), 20, name)
            for variable in WASM_BRAINS:
                with self.subTest(game=name, brain=variable):
                    self.assertEqual(native, self_play(variable, setup, width, height))


class SiteTest(unittest.TestCase):
    def test_the_zip_holds_the_site_in_one_folder(self):
        site = os.environ["FIVEFOLD_SITE"]
        files = sorted(os.path.relpath(os.path.join(folder, name), site)
                       for folder, _, names in os.walk(site) for name in names)
        engine = {"index.html", "engine-worker.js", "fivefold-engine.js", "fivefold-engine.wasm"}
        self.assertLessEqual(engine, set(files))
        archive = os.environ["FIVEFOLD_SITE_ZIP"]
        top = os.path.splitext(os.path.basename(archive))[0] + "/"
        with zipfile.ZipFile(archive) as packed:
            self.assertEqual([top + name for name in files],
                             sorted(n for n in packed.namelist() if not n.endswith("/")))
            for name in files:
                with open(os.path.join(site, name), "rb") as source:
                    self.assertEqual(source.read(), packed.read(top + name), name)

class WorkerFailureTest(unittest.TestCase):
    def test_a_site_without_the_wasm_file_reports_the_failure(self):
        with tempfile.TemporaryDirectory() as site:
            for name in ("engine-worker.js", "fivefold-engine.js"):
                shutil.copy(os.path.join(os.environ["FIVEFOLD_SITE"], name), site)
            worker = command("FIVEFOLD_WORKER_BRAIN")[:-1] + [site]
            result = subprocess.run(worker, input="START 15\nBEGIN\n", capture_output=True,
                                    text=True, timeout=60, check=False)
        self.assertEqual(1, result.returncode)
        self.assertEqual("", result.stdout)
        self.assertRegex(result.stderr, r"^The engine failed: \S.*\.\n$")


if __name__ == "__main__":
    unittest.main()
