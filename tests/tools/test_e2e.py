"""The real brain in real matches: against itself with no protocol fault and every move in
time, against the random mover, which it must beat every game, and node-limited, where a
match played again repeats every move.

The brain is the shell-style command line in FIVEFOLD_BRAIN. The 20-game match
(LongMatchTest) runs only when FIVEFOLD_E2E_LONG=1."""

import os
import unittest

from fakes_helper import fake, fast_config

from fivefold_tools.manager.game import LIMITED_TIMEOUT_TURN
from fivefold_tools.manager.runner import run_match
from fivefold_tools.manager.stats import move_times
from fivefold_tools.rules.openings import builtin_openings, random_openings

BRAIN = os.environ.get("FIVEFOLD_BRAIN")
TIMEOUT_TURN = 300  # the brain thinks about 200 ms of it
FAULTS = ("off_board", "occupied", "crash", "garbage", "time_forfeit", "start_failed")
# Node-limited games: the limit, not the clock, ends every search (about 20 ms a move).
NODE_LIMITED = dict(timeout_turn=LIMITED_TIMEOUT_TURN, tolerance=0, max_nodes=10000)


def self_match(test, games, openings, max_moves):
    cfg = fast_config(timeout_turn=TIMEOUT_TURN, tolerance=200, max_moves=max_moves)
    names = ["first", "second"]
    records = run_match([BRAIN, BRAIN], names, cfg, openings, games, jobs=2)
    for r in records:
        test.assertNotIn(r["reason"], FAULTS, r)
    for name in names:
        times = move_times(records, name)
        test.assertTrue(times)
        test.assertLessEqual(max(times), TIMEOUT_TURN, "%s: slowest moves %s" % (
            name, sorted(times)[-5:]))


@unittest.skipUnless(BRAIN, "FIVEFOLD_BRAIN names the brain to test")
class ShortMatchTest(unittest.TestCase):
    def test_self_match_without_faults_in_time(self):
        self_match(self, 8, random_openings(4, 3, 2024, 15, 15, "exact5"), max_moves=80)

    def test_beats_the_random_mover_every_game(self):
        cfg = fast_config(**NODE_LIMITED)
        openings = random_openings(2, 2, 7, 15, 15, "exact5")
        records = run_match([BRAIN, fake("random")], ["brain", "random"], cfg, openings, 4, 2)
        outcomes = [(r["winner_name"], r["reason"]) for r in records]
        self.assertEqual(outcomes, [("brain", "five")] * 4)

    def test_node_limited_match_repeats_every_move(self):
        cfg = fast_config(max_moves=80, **NODE_LIMITED)
        openings = random_openings(3, 3, 11, 15, 15, "exact5")

        def games(jobs):
            records = run_match([BRAIN, BRAIN], ["a", "b"], cfg, openings, 6, jobs)
            return [([(m["x"], m["y"]) for m in r["moves"]], r["reason"]) for r in records]

        first = games(jobs=1)
        self.assertTrue(all(len(moves) >= 10 for moves, _ in first), first)
        self.assertEqual(games(jobs=2), first)  # two games at once: each runs slower


@unittest.skipUnless(BRAIN and os.environ.get("FIVEFOLD_E2E_LONG") == "1",
                     "FIVEFOLD_E2E_LONG=1 runs the long match")
class LongMatchTest(unittest.TestCase):
    def test_twenty_game_self_match(self):
        self_match(self, 20, builtin_openings(15, 15, "exact5"), max_moves=0)


if __name__ == "__main__":
    unittest.main()
