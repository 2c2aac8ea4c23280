"""The engine's MESSAGE lines in words: every form the engine prints, and nothing else."""

import json
import os
import shlex
import subprocess
import unittest

from fivefold_tools.words.messages import describe

BENCH = os.environ.get("FIVEFOLD_BENCH")


class DescribeTest(unittest.TestCase):
    def test_search_lines(self):
        cases = {
            "MESSAGE AB: D:12 E:-76 F:T2 S:512000": "depth 12, evaluation -76, stopped: not "
            "enough time for another iteration, 512000 nodes/s",
            # T1C and a single candidate print no evaluation.
            "MESSAGE AB: D:8 F:T1C S:0": "depth 8, stopped in mid iteration, every move so far "
            "losing: plays the one it was searching, 0 nodes/s",
            "MESSAGE AB: D:6 F:0M S:3": "depth 6, nothing to search: one candidate move or none, "
            "3 nodes/s",
            "AB: D:10 E:999991 F:W S:7": "depth 10, a forced win about 9 stones ahead, found a "
            "forced win, 7 nodes/s",
            "MESSAGE AB: D:8 E:-999988 F:L S:7": "depth 8, a forced loss about 12 stones ahead, "
            "stopped at the depth limit, 7 nodes/s",
        }
        for line, text in cases.items():
            with self.subTest(line=line):
                self.assertEqual(describe(line), text)

    def test_lines_of_other_kinds_are_not_described(self):
        for line in ("MESSAGE hello", "ERROR bad coordinates", "MESSAGE AB: D:6 E:1 F:X S:1",
                     "MESSAGE AB: D:6 E:1 F:T2", "MESSAGE THR: M5", "DEBUG Thx", "7,7"):
            with self.subTest(line=line):
                self.assertIsNone(describe(line))

    @unittest.skipUnless(BENCH, "FIVEFOLD_BENCH names the bench")
    def test_every_line_the_engine_prints_on_the_bench_positions(self):
        run = subprocess.run(shlex.split(BENCH) + ["--depth", "6"], capture_output=True,
                             text=True, check=True, timeout=300)
        lines = {line for row in map(json.loads, run.stdout.splitlines()[:-1])
                 for line in row["messages"]}
        # The set holds every threat line and the search's forced-win line.
        self.assertLessEqual({"THR: M4", "Thx", "THR: O4=1", "THR: O4>1", "Grat", "THR: O3>1"},
                             lines)
        self.assertTrue(any(line.startswith("THR: M3 ") for line in lines), lines)
        self.assertTrue(any(line.startswith("AB: ") for line in lines), lines)
        for line in lines:
            with self.subTest(line=line):
                self.assertIsNotNone(describe("MESSAGE " + line))


if __name__ == "__main__":
    unittest.main()
