"""The match runner against misbehaving fake brains: every game ends, with the right reason,
within a bounded time."""

import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

from fakes_helper import HERE, fake, fast_config, process_alive, read_lines

from fivefold_tools.manager.brain import BrainPlayer
from fivefold_tools.manager.game import play_game
from fivefold_tools.manager.levels import LEVELS
from fivefold_tools.manager.runner import run_match
from fivefold_tools.manager.stats import move_times

OPENING = [(7, 7), (8, 7), (9, 5)]


def one_game(black, white, cfg=None, opening=()):
    players = (BrainPlayer("black", black), BrainPlayer("white", white))
    started = time.monotonic()
    record = play_game(players, cfg or fast_config(), opening)
    return record, time.monotonic() - started


class FailuresTest(unittest.TestCase):
    def test_each_misbehaviour_loses_with_its_reason(self):
        cases = [
            (("crash",), "crash"),
            (("crash", 2, "after"), "crash"),
            (("garbage",), "garbage"),
            (("occupied",), "occupied"),
            (("offboard",), "off_board"),
            (("slow",), "time_forfeit"),
        ]
        for brain, reason in cases:
            for colour, opening in (("black", ()), ("white", ()), ("white", OPENING)):
                with self.subTest(brain=brain, colour=colour, opening=bool(opening)):
                    bad, good = fake(*brain), fake("random")
                    pair = (bad, good) if colour == "black" else (good, bad)
                    record, seconds = one_game(*pair, opening=opening)
                    self.assertEqual(record["reason"], reason)
                    self.assertNotEqual(record["winner"], colour)
                    self.assertLess(seconds, 10)

    def test_a_hanging_brain_forfeits_and_its_process_group_is_killed(self):
        with tempfile.TemporaryDirectory() as tmp:
            pidfile = os.path.join(tmp, "pids")
            record, seconds = one_game(fake("hang", pidfile), fake("random"))
            self.assertEqual(record["reason"], "time_forfeit")
            self.assertEqual(record["winner"], "white")
            self.assertGreaterEqual(record["failed_move"]["ms"], 300 + 150)
            self.assertLess(seconds, 5)
            pids = [int(p) for p in read_lines(pidfile)[0].split()]
            deadline = time.monotonic() + 5  # the orphaned child is reaped by init
            while any(map(process_alive, pids)) and time.monotonic() < deadline:
                time.sleep(0.05)
            self.assertEqual([p for p in pids if process_alive(p)], [])

    def test_a_brain_that_cannot_start_loses(self):
        record, _ = one_game("/nonexistent/brain", fake("random"))
        self.assertEqual((record["reason"], record["winner"]), ("start_failed", "white"))


class TimeTest(unittest.TestCase):
    def test_overshoot_within_tolerance_is_recorded_not_forfeited(self):
        cfg = fast_config(tolerance=400, max_moves=6)
        record, _ = one_game(fake("slow", 60), fake("random"), cfg)
        self.assertEqual(record["reason"], "move_limit")
        slow = move_times([record], "black")
        self.assertEqual(len(slow), 3)
        self.assertTrue(all(360 <= ms < 700 for ms in slow), slow)

    def test_match_budget_runs_out(self):
        cfg = fast_config(timeout_match=700, tolerance=100)
        record, seconds = one_game(fake("random"), fake("slow", -100), cfg)
        self.assertEqual((record["reason"], record["winner"]), ("time_forfeit", "black"))
        used = sum(move_times([record], "white"))
        self.assertGreater(used, 700)
        self.assertLess(used, 700 + 2 * 200 + 100)
        self.assertLess(seconds, 5)


class ProtocolTest(unittest.TestCase):
    def test_commands_each_side_receives(self):
        with tempfile.TemporaryDirectory() as tmp:
            logs = [os.path.join(tmp, c) for c in ("black", "white")]
            cfg = fast_config(width=12, height=9, max_moves=6, timeout_match=60000, max_depth=8,
                              max_nodes=5000)
            one_game(fake("random", logs[0]), fake("random", logs[1]), cfg, OPENING[:2])
            black, white = map(read_lines, logs)
        self.assertEqual(black[0], "RECTSTART 12,9")
        self.assertIn("INFO timeout_turn 300", black)
        self.assertIn("INFO timeout_match 60000", black)
        self.assertIn("INFO max_depth 8", black)
        self.assertIn("INFO max_node 5000", black)
        # Black moves first from the opening: the position from its side, then TURNs.
        start = black.index("BOARD")
        self.assertEqual(black[start:start + 4], ["BOARD", "7,7,1", "8,7,2", "DONE"])
        self.assertTrue(black[start - 1].startswith("INFO time_left 6"))
        self.assertEqual(sum(line.startswith("TURN") for line in black), 1)
        # White has seen nothing yet: its first request holds all three stones.
        start = white.index("BOARD")
        self.assertEqual(white[start + 1:start + 3], ["7,7,2", "8,7,1"])
        self.assertEqual(white[start + 4], "DONE")
        self.assertEqual(black[-1], "END")

    def test_begin_then_turns_without_opening(self):
        with tempfile.TemporaryDirectory() as tmp:
            logs = [os.path.join(tmp, c) for c in ("black", "white")]
            record, _ = one_game(fake("random", logs[0]), fake("random", logs[1]),
                                 fast_config(max_moves=4))
            black, white = map(read_lines, logs)
        self.assertEqual(black[0], "START 15")
        first = record["moves"][0]
        self.assertIn("BEGIN", black)
        self.assertIn("TURN %d,%d" % (first["x"], first["y"]), white)
        self.assertNotIn("BOARD", black + white)
        # No search limit asked for: none is sent.
        self.assertEqual([line for line in black if line.startswith("INFO max")], [])


class MatchTest(unittest.TestCase):
    def test_openings_twice_with_colours_swapped_in_parallel(self):
        openings = [OPENING, [(3, 3), (4, 4)]]
        cfg = fast_config(width=10, height=10)
        started = time.monotonic()
        records = run_match([fake("random")] * 2, ["a", "b"], cfg, openings, 5, jobs=3)
        self.assertLess(time.monotonic() - started, 20)
        self.assertEqual([r["game"] for r in records], list(range(1, 6)))
        self.assertEqual([r["black"] for r in records], ["a", "b", "a", "b", "a"])
        expected = [OPENING, OPENING, openings[1], openings[1], OPENING]
        self.assertEqual([[tuple(s) for s in r["opening"]] for r in records], expected)
        for r in records:
            self.assertIn(r["reason"], ("five", "full_board"))
            self.assertEqual(r["reason"] == "five", r["winner"] is not None)

    def test_command_line_writes_json_lines_and_a_summary(self):
        tool = os.path.join(HERE, "..", "..", "tools", "match.py")
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "games.jsonl")
            run = subprocess.run(
                [sys.executable, tool, fake("random"), fake("crash", 3), "-n", "2",
                 "--size", "10", "--openings", "random", "--seed", "7", "--nodes", "3000",
                 "--out", out],
                capture_output=True, text=True, timeout=30)
            self.assertEqual(run.returncode, 0, run.stderr)
            games = [json.loads(line) for line in read_lines(out)]
        self.assertEqual([g["reason"] for g in games], ["crash", "crash"])
        self.assertEqual([g["game"] for g in games], [1, 2])
        self.assertEqual([g["black"] for g in games], ["random_brain.py", "crash_brain.py"])
        self.assertEqual(games[0]["opening"], games[1]["opening"])
        self.assertIn("limits: 3000 nodes, 60000 ms a move\n", run.stdout)
        self.assertIn("+2 =0 -0", run.stdout)
        self.assertIn("crash (crash_brain.py lost) 2", run.stdout)
        self.assertRegex(run.stderr, r"\[2/2\].*\(game 2: ")

    def test_a_playing_level_limits_its_own_brain_alone(self):
        # The levels table of the page, read by match.py: the level's limits go to brain 1,
        # the match's to brain 2, whichever colour each has.
        tool = os.path.join(HERE, "..", "..", "tools", "match.py")
        level = LEVELS["club"]
        with tempfile.TemporaryDirectory() as tmp:
            logs = [os.path.join(tmp, name) for name in ("levelled", "plain")]
            run = subprocess.run(
                [sys.executable, tool, fake("random", logs[0]), fake("random", logs[1]),
                 "-n", "2", "--size", "10", "--max-moves", "8", "--nodes", "3000",
                 "--timeout-turn", "300", "--level1", "club", "--out", os.devnull],
                capture_output=True, text=True, timeout=30)
            self.assertEqual(run.returncode, 0, run.stderr)
            levelled, plain = map(read_lines, logs)
        self.assertEqual(levelled.count("INFO timeout_turn %d" % level["timeout_turn"]), 2)
        self.assertEqual(levelled.count("INFO max_node %d" % level["max_node"]), 2)
        self.assertEqual(plain.count("INFO timeout_turn 300"), 2)
        self.assertEqual(plain.count("INFO max_node 3000"), 2)
        self.assertNotIn("INFO max_node 3000", levelled)
        self.assertIn("random_brain.py (1) plays at level club\n", run.stdout)


if __name__ == "__main__":
    unittest.main()
