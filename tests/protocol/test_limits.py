"""INFO max_depth and max_node: where a turn ends and what it reports, that both hold across
games until changed, and that a node-limited turn does not depend on the machine's load."""

import os
import re
import subprocess
import sys
import unittest

from brain import Session

# A quiet position: no threat decides it, so every turn is a search; depth 8 takes about
# 20000 nodes.
POSITION = ["7,7,1", "8,7,2", "7,8,2", "8,8,1"]
AMPLE_CLOCK = "INFO timeout_turn 1000000"
AB_LINE = re.compile(r"MESSAGE AB: D:(\d+) E:(-?\d+) F:(\w+) S:\d+")
STOPS = ("T1Aa", "T1Ab", "T1B", "T1C", "T2")


class LimitTest(unittest.TestCase):
    def setUp(self):
        self.brain = Session()
        self.addCleanup(self.brain.close)
        self.brain.send(AMPLE_CLOCK)

    def turn(self, *settings):
        """(depth, evaluation, ending, move) of a new game's turn on POSITION after the
        settings."""
        self.brain.send(*settings, "START 15", "BOARD", *POSITION, "DONE")
        self.assertEqual("OK", self.brain.read_line())
        line = self.brain.read_line(timeout=120, skip_messages=False)
        ab = AB_LINE.fullmatch(line)
        self.assertIsNotNone(ab, line)
        move = self.brain.read_line(timeout=10)
        self.assertRegex(move, r"^\d+,\d+$")
        return int(ab.group(1)), int(ab.group(2)), ab.group(3), move

    def test_depth_limit_ends_the_turn_after_the_deepest_iteration_allowed(self):
        for setting, depth in (("INFO max_depth 1", 6), ("INFO MAX_DEPTH 7", 6),
                               ("INFO max_depth 8", 8), ("info Max_Depth 9", 8)):
            with self.subTest(setting=setting):
                self.assertEqual(self.turn(setting)[::2], (depth, "L"))
        # It holds across games; a shorter keyword is another key; 0 removes it, and the
        # clock ends the turn instead.
        self.assertEqual(self.turn("INFO max_dept 6")[::2], (8, "L"))
        depth, _, ending, _ = self.turn("INFO timeout_turn 300", "INFO max_depth 0")
        self.assertIn(ending, STOPS)

    def test_node_limit_stops_the_search_like_a_stop_request(self):
        completed = {depth: self.turn("INFO max_depth %d" % depth) for depth in (6, 8)}
        # One node: stopped in the first move of the first iteration.
        self.assertEqual(self.turn("INFO max_depth 0", "INFO max_node 1")[:3], (6, 0, "T1Aa"))
        endings = set()
        for nodes in (3000, 10000):
            with self.subTest(nodes=nodes):
                depth, score, ending, move = self.turn("INFO max_node %d" % nodes)
                self.assertIn(ending, STOPS)
                if ending == "T1Ab":  # the previous iteration's result is kept
                    self.assertEqual(completed[depth - 2][1::2], (score, move))
                endings.add(ending)
        self.assertLessEqual({"T1Ab", "T1B"}, endings)
        # It holds across games until 0 removes it; then the depth limit ends the turn.
        last = self.turn()
        self.assertEqual(self.turn("INFO max_node 10000"), last)
        self.assertEqual(self.turn("INFO max_node 0", "INFO max_depth 8"), completed[8])

    def test_node_limited_turn_is_the_same_under_load(self):
        limit = "INFO max_node 10000"
        alone = self.turn(limit)
        busy = [subprocess.Popen([sys.executable, "-c", "while True: pass"])
                for _ in range(os.cpu_count() or 2)]
        try:
            loaded = self.turn()
        finally:
            for process in busy:
                process.kill()
                process.wait()
        self.assertEqual(alone, loaded)
        self.assertEqual(alone[2], "T1B")  # stopped in mid iteration, where timing would tell


if __name__ == "__main__":
    unittest.main()
