"""fivefold-bench: its output, its position files, its signature, and its agreement with
the brain itself."""

import json
import os
import re
import shlex
import subprocess
import sys
import time
import unittest

KEYS = ["pos", "move", "score", "depth", "nodes", "ms", "messages"]


def bench(*args, stdin=None):
    command = shlex.split(os.environ["FIVEFOLD_BENCH"]) + list(args)
    result = subprocess.run(command, input=stdin, capture_output=True, text=True, timeout=600,
                            check=False)
    rows = [json.loads(line) for line in result.stdout.splitlines()]
    return rows, result.stderr.replace("\r\n", "\n"), result.returncode


def engine_doc():
    with open(os.path.join(os.path.dirname(__file__), "..", "..", "docs", "engine.md"),
              encoding="utf-8") as doc:
        return doc.read()


def documented_signature():
    match = re.search(r"bench signature[^:]*:\s*`?(\d+)", engine_doc(), re.IGNORECASE)
    if match is None:
        raise AssertionError("docs/engine.md states no bench signature")
    return int(match.group(1))


def documented_rule_signatures():
    """{rule: signature} from the table of the bench's rules."""
    return {rule: int(nodes) for rule, nodes in
            re.findall(r"^\| `(\w+)`[^|]*\| `(\d+)` \|$", engine_doc(), re.MULTILINE)}


class BenchSignatureTest(unittest.TestCase):
    def test_every_rule_matches_its_documented_signature(self):
        signatures = documented_rule_signatures()
        self.assertEqual(["exact5", "freestyle", "caro", "renju"], list(signatures))
        self.assertEqual(documented_signature(), signatures["exact5"])
        for rule, nodes in signatures.items():
            rows, _, code = bench("--rule", rule)
            self.assertEqual((0, nodes), (code, rows[-1]["nodes"]), rule)
        self.assertEqual(2, bench("--rule", "gomoku")[2])

    def test_builtin_set_at_depth_8_matches_the_documented_signature(self):
        rows, _, code = bench()
        self.assertEqual(0, code)
        summary = rows[-1]
        self.assertEqual(["positions", "nodes", "ms", "nps"], list(summary))
        self.assertEqual(documented_signature(), summary["nodes"])
        positions = rows[:-1]
        self.assertEqual(summary["positions"], len(positions))
        self.assertGreaterEqual(len(positions), 30)
        self.assertEqual(summary["nodes"], sum(row["nodes"] for row in positions))
        self.assertEqual(summary["nodes"] * 1000 // max(summary["ms"], 1), summary["nps"])
        for number, row in enumerate(positions, start=1):
            self.assertEqual(KEYS, list(row))
            self.assertEqual(number, row["pos"])
            self.assertRegex(row["move"], r"^\d+,\d+$")
            self.assertIn(row["depth"], [0] + list(range(6, 9, 2)))
            if row["depth"] == 0:
                self.assertEqual(0, row["nodes"])
            for message in row["messages"]:
                self.assertFalse(message.startswith("MESSAGE"))


class PositionFileTest(unittest.TestCase):
    def test_malformed_lines_are_reported_and_skipped(self):
        text = "\n".join([
            "# a comment", "", "15 15 7,7,1 8,8,2", "4 15", "15 15 7,7,1 7,7,2",
            "15 15 15,0,1", "15 15 1,1,4", "15 15 1;1;1", "abc", "   # indented comment",
            "15 15 3,12,2",
        ]) + "\n"
        rows, errors, code = bench("-", stdin=text)
        self.assertEqual(1, code)
        self.assertEqual([1, 2], [row["pos"] for row in rows[:-1]])
        self.assertEqual(["line 4", "line 5", "line 6", "line 7", "line 8", "line 9"],
                         [line.split(":")[0] for line in errors.splitlines()])
        # An opening-rule answer: no search, no nodes.
        self.assertEqual({"move": "4,11", "score": 0, "depth": 0, "nodes": 0, "messages": []},
                         {key: rows[1][key] for key in ["move", "score", "depth", "nodes",
                                                        "messages"]})

    def test_depth_must_be_even_within_range(self):
        for depth in ["4", "7", "102", "x"]:
            _, _, code = bench("--depth", depth, "-", stdin="")
            self.assertEqual(2, code, depth)

    def test_deeper_iterations_stop_at_the_depth_asked_for(self):
        position = "15 15 8,4,2 9,4,1 8,5,2 8,3,1 10,5,2\n"
        rows6, _, _ = bench("--depth", "6", "-", stdin=position)
        rows10, _, _ = bench("--depth", "10", "-", stdin=position)
        self.assertEqual(6, rows6[0]["depth"])
        self.assertEqual(10, rows10[0]["depth"])
        self.assertLess(rows6[0]["nodes"], rows10[0]["nodes"])


def without_rate(message):
    """A search line without its nodes-per-second rate, the part that depends on the time."""
    return re.sub(r" S:\d+$", "", message)


class BenchAgreesWithTheBrainTest(unittest.TestCase):
    """The brain held to the bench's depth by INFO max_depth, with a clock it never reaches,
    answers every built-in position as the bench does: the same move and lines; where the
    bench searched to its depth, the brain ends with the depth limit's line and the bench's
    score. Positions that the opening rules or the threat phase decide have no search."""

    DEPTH = 8

    def brain_answer(self, position):
        words = position.split()
        lines = ["INFO timeout_turn 1000000", f"INFO max_depth {self.DEPTH}",
                 f"RECTSTART {words[0]},{words[1]}", "BOARD"] + words[2:] + ["DONE"]
        with subprocess.Popen(shlex.split(os.environ["FIVEFOLD_BRAIN"]), stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, text=True) as brain:
            brain.stdin.write("".join(line + "\n" for line in lines))
            brain.stdin.flush()
            self.assertEqual("OK", brain.stdout.readline().strip())
            messages = []
            while (line := brain.stdout.readline().strip()).startswith("MESSAGE "):
                messages.append(without_rate(line[len("MESSAGE "):]))
            brain.stdin.write("END\n")
            brain.stdin.close()
            self.assertEqual(0, brain.wait(timeout=10))
        return line, messages

    def test_builtin_positions(self):
        listed = subprocess.run(shlex.split(os.environ["FIVEFOLD_BENCH"]) + ["--list"],
                                capture_output=True, text=True, check=True).stdout.splitlines()
        rows, _, _ = bench("--depth", str(self.DEPTH), "-", stdin="\n".join(listed) + "\n")
        self.assertEqual(len(listed), len(rows) - 1)
        limited = 0
        for position, row in zip(listed, rows):
            with self.subTest(position=row["pos"]):
                expected = [without_rate(message) for message in row["messages"]]
                if row["depth"] == self.DEPTH and not expected:
                    expected = [f"AB: D:{self.DEPTH} E:{row['score']} F:L"]
                    limited += 1
                self.assertEqual((row["move"], expected), self.brain_answer(position))
        self.assertGreaterEqual(limited, 10)


class BenchCompareTest(unittest.TestCase):
    """tools/bench_compare.py: alike benches pass, a changed node count is caught."""

    def compare(self, new_command):
        tool = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "bench_compare.py")
        return subprocess.run([sys.executable, tool, os.environ["FIVEFOLD_BENCH"], new_command,
                               "--depth", "6", "--runs", "1"],
                              capture_output=True, text=True, timeout=600, check=False)

    def test_alike_and_changed_benches(self):
        same = self.compare(os.environ["FIVEFOLD_BENCH"])
        self.assertEqual(0, same.returncode, same.stdout + same.stderr)
        self.assertIn("positions alike: yes", same.stdout)
        # The same bench with one more node on its third position.
        altered = shlex.join([sys.executable, "-c", ALTER_THIRD_POSITION,
                              os.environ["FIVEFOLD_BENCH"]])
        changed = self.compare(altered)
        self.assertEqual(1, changed.returncode, changed.stdout + changed.stderr)
        self.assertIn("line 3:", changed.stdout)
        self.assertIn("positions alike: no", changed.stdout)


ALTER_THIRD_POSITION = """
import json, shlex, subprocess, sys
out = subprocess.run(shlex.split(sys.argv[1]) + sys.argv[2:], capture_output=True, text=True)
for number, line in enumerate(out.stdout.splitlines(), 1):
    row = json.loads(line)
    row["nodes"] += number == 3
    print(json.dumps(row))
"""


# A wall-clock limit says something only of an optimised brain on a machine that is not busy
# with other tests: this one runs on its own, on the release build (see CMakeLists.txt).
@unittest.skipUnless(os.environ.get("FIVEFOLD_TIMED"), "timed: run on the release build alone")
class TimeLimitTest(unittest.TestCase):
    def test_every_builtin_position_is_answered_within_timeout_turn(self):
        listed = subprocess.run(shlex.split(os.environ["FIVEFOLD_BENCH"]) + ["--list"],
                                capture_output=True, text=True, check=True).stdout.splitlines()
        timeout_turn = 300
        for position in listed:
            words = position.split()
            command = shlex.split(os.environ["FIVEFOLD_BRAIN"])
            with subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  text=True) as brain:
                brain.stdin.write(f"INFO timeout_turn {timeout_turn}\n"
                                  f"RECTSTART {words[0]},{words[1]}\nBOARD\n" +
                                  "".join(stone + "\n" for stone in words[2:]))
                brain.stdin.flush()
                self.assertEqual("OK", brain.stdout.readline().strip())
                start = time.monotonic()
                brain.stdin.write("DONE\n")
                brain.stdin.flush()
                line = brain.stdout.readline().strip()
                while line.startswith("MESSAGE"):
                    line = brain.stdout.readline().strip()
                elapsed = (time.monotonic() - start) * 1000
                self.assertRegex(line, r"^\d+,\d+$")
                self.assertLess(elapsed, timeout_turn, position)
                brain.stdin.write("END\n")
                brain.stdin.flush()
                self.assertEqual(0, brain.wait(timeout=10))


if __name__ == "__main__":
    unittest.main()
