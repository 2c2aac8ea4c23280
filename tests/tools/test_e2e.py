"""The real brain in real matches: against itself with no protocol fault and every move in
the time a manager allows, against the random mover, which it must beat every game,
node-limited, where a match played again repeats every move, and by each rule, every game
judged by it.

The brain is the shell-style command line in FIVEFOLD_BRAIN. The 20-game match
(LongMatchTest) runs only when FIVEFOLD_E2E_LONG=1."""

import os
import unittest

from fakes_helper import fake, fast_config

from fivefold_tools.manager.brain import BrainPlayer
from fivefold_tools.manager.game import LIMITED_TIMEOUT_TURN, play_game
from fivefold_tools.manager.runner import run_match
from fivefold_tools.manager.stats import move_times
from fivefold_tools.rules.game_record import UNKNOWN, build_record, record_stones
from fivefold_tools.rules.openings import builtin_openings, random_openings
from fivefold_tools.rules.renju import DOUBLE_FOUR, DOUBLE_THREE, OVERLINE

BRAIN = os.environ.get("FIVEFOLD_BRAIN")
TIMEOUT_TURN = 300  # the brain thinks about 200 ms of it
FAULTS = ("off_board", "occupied", "crash", "garbage", "time_forfeit", "start_failed")
# Node-limited games: the limit, not the clock, ends every search (about 20 ms a move).
NODE_LIMITED = dict(timeout_turn=LIMITED_TIMEOUT_TURN, tolerance=0, max_nodes=10000)


def self_match(test, games, openings, max_moves):
    """Every move within what a manager enforces: the turn plus the match's tolerance. How
    much of the turn the engine itself uses is the bench's and its MESSAGE lines' to show;
    the wall clock of a shared machine also counts the other processes' load."""
    cfg = fast_config(timeout_turn=TIMEOUT_TURN, tolerance=200, max_moves=max_moves)
    names = ["first", "second"]
    records = run_match([BRAIN, BRAIN], names, cfg, openings, games, jobs=2)
    for r in records:
        test.assertNotIn(r["reason"], FAULTS, r)
    for name in names:
        times = move_times(records, name)
        test.assertTrue(times)
        test.assertLessEqual(max(times), cfg.timeout_turn + cfg.tolerance,
                             "%s: slowest moves %s" % (name, sorted(times)[-5:]))


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


# Black to move with open threes on row 7 and down column 7 meeting at 7,7: a winning move
# in the other rules, renju's double three.
THREES_OPENING = [(5, 7), (10, 10), (6, 7), (10, 12), (7, 5), (12, 10), (7, 6), (12, 12)]


def rule_games(test, rule):
    """Node-limited games by the rule: the brain against itself and, both colours, against
    the random mover (which under renju plays black's fouls on purpose now and then, and
    says so). No move is illegal, every result is the one the rule gives the game's stones,
    no foul is the brain's and every foul the random mover announced ends its game."""
    cfg = fast_config(rule=rule, max_moves=100, **NODE_LIMITED)
    openings = random_openings(2, 2, 5, 15, 15, rule) + [THREES_OPENING]
    pairings = [(BRAIN, BRAIN), (BRAIN, fake("random")), (fake("random"), BRAIN)]
    for opening in openings:
        for commands in pairings:
            said = []
            players = [BrainPlayer(n, c) for n, c in zip(("black", "white"), commands)]
            record = play_game(players, cfg, opening, lambda board, stone, reply, five, ending:
                               said.append([m.split()[2:] for m in reply.messages
                                            if m.startswith("MESSAGE foul ")]))
            game = "%s, %s against %s: %s" % (rule, *commands, record)
            test.assertNotIn(record["reason"], FAULTS, game)
            stones = [(x, y, c, "%d,%d" % (x, y), 0) for x, y, c in record_stones(record)]
            judged = build_record(record["size"], stones, len(opening), rule=rule)
            if record["reason"] == "move_limit":
                test.assertEqual(judged["reason"], UNKNOWN, game)
            else:
                test.assertEqual((judged["winner"], judged["reason"]),
                                 (record["winner"], record["reason"]), game)
            if record["reason"] in (DOUBLE_THREE, DOUBLE_FOUR, OVERLINE):
                test.assertNotEqual(commands[0], BRAIN, "the brain's foul: " + game)
            test.assertFalse(any(said[:-1]), "an announced foul played on: " + game)
            if said and said[-1]:
                test.assertEqual([record["reason"], record["detail"]], said[-1][0][::-1], game)


@unittest.skipUnless(BRAIN, "FIVEFOLD_BRAIN names the brain to test")
class RuleGamesTest(unittest.TestCase):
    def test_exact5(self):
        rule_games(self, "exact5")

    def test_freestyle(self):
        rule_games(self, "freestyle")

    def test_caro(self):
        rule_games(self, "caro")

    def test_renju(self):
        rule_games(self, "renju")


@unittest.skipUnless(BRAIN and os.environ.get("FIVEFOLD_E2E_LONG") == "1",
                     "FIVEFOLD_E2E_LONG=1 runs the long match")
class LongMatchTest(unittest.TestCase):
    def test_twenty_game_self_match(self):
        self_match(self, 20, builtin_openings(15, 15, "exact5"), max_moves=0)


if __name__ == "__main__":
    unittest.main()
