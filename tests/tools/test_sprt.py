"""The game-pair SPRT against values worked out by hand, a match that it stops early, and a
match spread over shards by GNU parallel and merged, which must equal the match run whole.

The matches use the real brain (FIVEFOLD_BRAIN), node-limited so that they repeat."""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from fakes_helper import HERE, fake

from fivefold_tools.manager.sprt import bounds, llr, sprt

BRAIN = os.environ.get("FIVEFOLD_BRAIN")
MATCH = os.path.join(HERE, "..", "..", "tools", "match.py")


def pairs(*outcomes):
    """Records of consecutive pairs, each given by the winners of its two games: "a", "b" or
    "=" for a draw ("a=": a wins the first, the second is drawn)."""
    return [{"game": number, "winner": None if winner == "=" else "black",
             "winner_name": None if winner == "=" else winner}
            for number, winner in enumerate("".join(outcomes), 1)]


class SprtTest(unittest.TestCase):
    def test_llr_and_decisions_by_hand(self):
        # Bounds: log(0.05 / 0.95) and log(0.95 / 0.05); log(0.1 / 0.95), log(0.9 / 0.05).
        self.assertEqual([round(b, 4) for b in bounds(0.05, 0.05)], [-2.9444, 2.9444])
        self.assertEqual([round(b, 4) for b in bounds(0.05, 0.1)], [-2.2513, 2.8904])
        # Pairs scoring 0, 1/2, 1, 3/2, 2 points: 1, 2, 5, 4, 3, plus half a pair each:
        # N = 17.5, mean per game = 10.25 / 17.5 = 0.585714, variance 1.558928 / 17.5 =
        # 0.089082; s0 = 0.5, s1 = 1 / (1 + 10^(-10/400)) = 0.514387;
        # LLR = 17.5 * 0.014387 * (1.171429 - 1.014387) / (2 * 0.089082) = 0.2219.
        self.assertAlmostEqual(llr([1, 2, 5, 4, 3], 0, 10), 0.2219, places=4)
        # Six pairs both won by a, ELO1 = 100 (s1 = 0.640065): N = 8.5, mean 0.852941,
        # variance 0.088668; LLR = 8.5 * 0.140065 * 0.565817 / 0.177336 = 3.7986 > 2.9444,
        # while after five pairs it is 2.84: H1 at the sixth pair.
        test = sprt(pairs(*["aa"] * 7, "bb"), "a", 0, 100)
        self.assertEqual((test["result"], test["pairs"], test["pentanomial"]),
                         ("H1 accepted", 6, [0, 0, 0, 0, 6]))
        self.assertAlmostEqual(test["llr"], 3.7986, places=3)
        self.assertGreater(test["elo_low"], 0)
        # n pairs of one win each, or of two draws (a draw is half a point to each): mean
        # 0.5, variance 0.3125 / (n + 2.5), so LLR = -(n + 2.5)^2 * 0.140065^2 / 0.625:
        # -2.833 at n = 7, -3.4606 at n = 8.
        for pair in ("ab", "=="):
            test = sprt(pairs(*[pair] * 10), "a", 0, 100)
            self.assertEqual((test["result"], test["pairs"]), ("H0 accepted", 8), pair)
            self.assertAlmostEqual(test["llr"], -3.4606, places=3)
            self.assertLess(test["elo_low"], 0)
            self.assertGreater(test["elo_high"], 0)
        # A win and a draw make 3/2 points, a loss and a draw 1/2; an incomplete last pair
        # is not counted; nothing decided is still open.
        test = sprt(pairs("a=", "=b", "aa", "ab")[:7], "a", 0, 10)
        self.assertEqual((test["result"], test["pairs"], test["pentanomial"]),
                         ("still open", 3, [0, 1, 0, 1, 1]))


def match(*args, timeout=300):
    run = subprocess.run([sys.executable, MATCH, *args], capture_output=True, text=True,
                         timeout=timeout)
    if run.returncode:
        raise AssertionError(run.stderr)
    return run


def read_json_lines(path):
    with open(path) as f:
        return [json.loads(line) for line in f]


def without_times(record):
    """A game's record without the wall-clock times, which no two runs share."""
    moves = [{k: v for k, v in m.items() if k != "ms"} for m in record["moves"]]
    return {**record, "moves": moves}


@unittest.skipUnless(BRAIN, "FIVEFOLD_BRAIN names the brain to test")
class MatchTest(unittest.TestCase):
    def test_sprt_stops_a_match_against_the_random_mover_with_h1(self):
        with tempfile.TemporaryDirectory() as tmp:
            out, summary = os.path.join(tmp, "games.jsonl"), os.path.join(tmp, "summary.json")
            run = match(BRAIN, fake("random"), "-n", "40", "-j", "2", "--nodes", "2000",
                        "--sprt", "0", "100", "--out", out, "--summary-json", summary, "-q")
            games = read_json_lines(out)
            with open(summary) as f:
                test = json.load(f)["sprt"]
        # Every game won: H1 at the sixth pair (see the hand computation above). The other
        # worker goes on starting games while the pair's last one runs, and those finish too.
        self.assertTrue(12 <= len(games) < 40, len(games))
        self.assertEqual((test["result"], test["pairs"], test["model"]),
                         ("H1 accepted", 6, "pentanomial"))
        self.assertAlmostEqual(test["llr"], 3.7986, places=3)
        self.assertIn("H1 accepted after 6 pairs, LLR 3.80 [-2.94, 2.94]", run.stdout)

    def test_shards_through_gnu_parallel_merge_into_the_whole_match(self):
        common = [BRAIN, BRAIN, "-n", "6", "--size", "11", "--nodes", "3000", "--openings",
                  "random", "--seed", "5", "--sprt", "-20", "20", "-q"]
        parallel = shutil.which("parallel")
        self.assertIsNotNone(parallel, "GNU parallel is not installed")
        with tempfile.TemporaryDirectory() as tmp:
            path = lambda name: os.path.join(tmp, name)  # noqa: E731
            whole = match(*common, "-j", "2", "--out", path("whole.jsonl"),
                          "--summary-json", path("whole.json"))
            # The way docs/matches.md shows: one process a part, {} the part's number.
            command = " ".join([sys.executable, MATCH] + ["'%s'" % a for a in common] +
                               ["--shard {}/3", "--out", path("part{}.jsonl")])
            subprocess.run([parallel, "--will-cite", "-j", "2", command, ":::", "1", "2", "3"],
                           check=True, capture_output=True, timeout=300)
            parts = [read_json_lines(path("part%d.jsonl" % k)) for k in (1, 2, 3)]
            merged = match("--merge", *[path("part%d.jsonl" % k) for k in (1, 2, 3)],
                           "--sprt", "-20", "20", "--out", path("merged.jsonl"),
                           "--summary-json", path("merged.json"))
            results = [read_json_lines(path(n + ".jsonl")) for n in ("whole", "merged")]
            twice = subprocess.run([sys.executable, MATCH, "--merge", path("part1.jsonl"),
                                    path("part1.jsonl")], capture_output=True, text=True)
            short = match("--merge", path("part1.jsonl"), path("part3.jsonl"), "--out",
                          path("short.jsonl"))
            summaries = []
            for name in ("whole.json", "merged.json"):
                with open(path(name)) as f:
                    summaries.append(json.load(f))
        self.assertEqual([[g["game"] for g in part] for part in parts], [[1, 2], [3, 4], [5, 6]])
        self.assertEqual((twice.returncode, twice.stderr.strip().split(" in both")[0]),
                         (1, "merge: game 1 is"))
        self.assertIn("merge: games missing: 3, 4\n", short.stderr)
        whole_games = sorted(results[0], key=lambda g: g["game"])
        self.assertEqual([without_times(g) for g in results[1]],
                         [without_times(g) for g in whole_games])
        self.assertEqual(summaries[1], summaries[0])
        # The text summary too, but for the lines of move times.
        text = [[line for line in run.stdout.splitlines() if " moves, ms median " not in line]
                for run in (whole, merged)]
        self.assertEqual(text[1], text[0])
        self.assertRegex(text[0][-2], r"^SPRT \[-20, 20\] .*: (H1 accepted|H0 accepted|still open)")


if __name__ == "__main__":
    unittest.main()
