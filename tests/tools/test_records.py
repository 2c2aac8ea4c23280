"""Record files: a match written as JSON lines, SGF and PSQ reads back as the same games;
the other tools' files read right; every malformed file is refused with its message; and
play.py replays any of them on the terminal."""

import json
import os
import subprocess
import sys
import tempfile
import unittest

from fakes_helper import HERE, fake

from fivefold_tools.rules.record_files import read_record_file, read_records

TOOLS = os.path.join(HERE, "..", "..", "tools")
SAMPLES = os.path.join(HERE, "samples")


def sample(name):
    return os.path.join(SAMPLES, name)


def malformed_cases():
    with open(sample("malformed.json")) as f:
        return json.load(f)


def game_view(record, psq=False):
    """What every format keeps of a game; PSQ writes a move's time as at least 1 ms."""
    moves = [(m["colour"], m["x"], m["y"], max(1, round(m["ms"])) if psq else round(m["ms"]))
             for m in record["moves"]]
    return (record["game"], record["black"], record["white"], record["size"],
            record["opening"], moves, record["winner"], record["result"], record["reason"],
            record.get("five"))


class RoundTripTest(unittest.TestCase):
    def test_a_match_reads_back_alike_from_json_lines_sgf_and_psq(self):
        for size in ("7", "9x6"):
            with self.subTest(size=size), tempfile.TemporaryDirectory() as tmp:
                paths = [os.path.join(tmp, name) for name in ("games.jsonl", "games.sgf", "psq")]
                run = subprocess.run(
                    [sys.executable, os.path.join(TOOLS, "match.py"), fake("random"),
                     fake("random"), "-n", "4", "-j", "2", "--size", size, "--openings",
                     "random", "--out", paths[0], "--sgf", paths[1], "--psq", paths[2]],
                    capture_output=True, text=True, timeout=60)
                self.assertEqual(run.returncode, 0, run.stderr)
                games, errors = read_record_file(paths[0])
                self.assertEqual((len(games), errors), (4, []))
                with open(paths[0]) as f:  # the JSON lines come back unchanged
                    self.assertEqual(games, [json.loads(line) for line in f])
                # Random movers on a small board end every game by a five or a full board,
                # which is all a PSQ file can tell.
                self.assertTrue(all(g["reason"] in ("five", "full_board") for g in games))
                by_number = sorted(games, key=lambda g: g["game"])
                sgf_games, errors = read_record_file(paths[1])
                self.assertEqual(errors, [])
                self.assertEqual(sorted(map(game_view, sgf_games)), list(map(game_view, by_number)))
                psq_files = sorted(os.listdir(paths[2]))
                self.assertEqual(psq_files, ["game%04d.psq" % n for n in range(1, 5)])
                for name, game in zip(psq_files, by_number):
                    (read,), errors = read_record_file(os.path.join(paths[2], name))
                    read["game"] = game["game"]
                    self.assertEqual(game_view(read, psq=True), game_view(game, psq=True))


class OtherToolsTest(unittest.TestCase):
    def test_samples_in_the_other_tools_forms(self):
        (five, draw), errors = read_record_file(sample("two-games.sgf"))
        self.assertEqual(errors, [])
        self.assertEqual((five["black"], five["white"], five["size"]), ("A", "B", [20, 20]))
        self.assertEqual(five["opening"], [[18, 7], [16, 6]])  # s = 18, h = 7
        self.assertEqual([m["ms"] for m in five["moves"]], [23, 41, 7, 40, 8, 38, 9, 52])
        self.assertEqual((five["winner"], five["reason"]), ("white", "five"))
        self.assertEqual(five["five"], [[x, 6] for x in range(12, 17)])
        # Whitespace, an unknown property, an escaped ] and variations: the main line only.
        self.assertEqual((draw["black"], draw["size"], draw["result"]),
                         ("one]two", [15, 10], "1/2-1/2"))
        self.assertEqual([(m["x"], m["y"]) for m in draw["moves"]][-1], (7, 3))
        (psq,), errors = read_record_file(sample("white-five.psq"))
        self.assertEqual(errors, [])
        self.assertEqual((psq["black"], psq["white"]), ("pbrain-north.exe", "pbrain-south.exe"))
        self.assertEqual(psq["opening"], [[9, 10], [10, 9]])  # counted from 1 in the file
        self.assertEqual((psq["winner"], psq["winner_name"], psq["moves"][0]["ms"]),
                         ("white", "pbrain-south.exe", 843))
        (bare,), errors = read_record_file(sample("no-names.psq"))
        self.assertEqual((bare["size"], len(bare["moves"]), bare["result"]), ([12, 9], 2, None))

    def test_each_malformed_file_is_refused_with_its_message(self):
        for case in malformed_cases():
            with self.subTest(case["case"]):
                games, errors = read_records(case["text"], "x")
                self.assertEqual(errors, [case["error"]])
                self.assertEqual(len(games), case["games"])


class TerminalReplayTest(unittest.TestCase):
    def replay(self, *args):
        return subprocess.run([sys.executable, os.path.join(TOOLS, "play.py"), "--no-color",
                               "--replay", *args], capture_output=True, text=True, timeout=30)

    def test_replays_a_psq_and_one_game_of_an_sgf_file(self):
        run = self.replay(sample("white-five.psq"))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("opening, 2 stones: j11 k10", run.stdout)
        self.assertIn("move 10: white pbrain-south.exe k14 (10,13) in 380 ms", run.stdout)
        self.assertEqual(run.stdout.count("(O)"), 5)  # the five, marked once at the end
        self.assertTrue(run.stdout.endswith("white (pbrain-south.exe) wins with five in a row\n"))
        run = self.replay(sample("two-games.sgf"), "--game", "2")
        self.assertNotIn("game 1:", run.stdout)
        self.assertTrue(run.stdout.startswith("\ngame 2: one]two (X, black) against three"))
        self.assertTrue(run.stdout.endswith("\ndraw\n"))

    def test_replays_by_the_record_s_rule(self):
        # The same stones: black's last, 7,7, is a double three under renju (RU[4]) and
        # nothing under exact five (RU[1]).
        run = self.replay(sample("renju-foul.sgf"))
        self.assertEqual(run.returncode, 0, run.stderr)
        first, second = run.stdout.split("\ngame 2: ")
        self.assertIn("game 1: A (X, black) against B (O, white): 15x15, renju\n", first)
        self.assertTrue(first.endswith("\nblack (A) loses by a double three\n"))
        self.assertIn("(O, white): 15x15, exact5\n", second)
        self.assertTrue(second.endswith("\nresult not recorded\n"))

    def test_a_bad_game_is_named_and_the_others_shown(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt") as f:
            f.write(next(c["text"] for c in malformed_cases() if c["case"] == "SGF off the board"))
            f.flush()
            run = self.replay(f.name)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stderr, f.name + ": game 2: move 1: B[ak] is off the 15x10 board\n")
        self.assertEqual(run.stdout.count("\ngame "), 2)


if __name__ == "__main__":
    unittest.main()
