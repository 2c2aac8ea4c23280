"""Adjudication by the rule, openings and the match statistics."""

import math
import unittest

from fakes_helper import fake, fast_config

from fivefold_tools.manager.brain import BrainPlayer
from fivefold_tools.manager.game import play_game
from fivefold_tools.manager.stats import elo_difference, percentile, summary
from fivefold_tools.rules.board import BLACK, WHITE, five_through, new_board, place
from fivefold_tools.rules.openings import builtin_openings, parse_openings, random_openings

# Black fills row 0 except x = 3, then closes it to a six, then makes a plain five on row 2;
# white zigzags between rows 5 and 6 and never gets five in a row.
BLACK_SCRIPT = ["0,0", "1,0", "2,0", "4,0", "5,0", "3,0", "0,2", "1,2", "2,2", "3,2", "4,2"]
WHITE_SCRIPT = ["0,5", "1,6", "2,5", "3,6", "4,5", "5,6", "6,5", "7,6", "8,5", "9,6", "10,5"]


class AdjudicationTest(unittest.TestCase):
    def test_a_six_wins_only_in_freestyle(self):
        board = new_board(15, 15)
        for x in (0, 1, 2, 4, 5, 3):
            place(board, x, 0, BLACK)
        self.assertIsNone(five_through(board, 3, 0, "exact5"))
        self.assertEqual(five_through(board, 3, 0, "freestyle"), [(x, 0) for x in range(6)])
        place(board, 3, 5, WHITE)
        for y in range(1, 5):  # the six's middle stone also closes an exact five downwards
            place(board, 3, y, BLACK)
        self.assertEqual(five_through(board, 3, 0, "exact5"), [(3, y) for y in range(5)])

    def test_games_with_a_six(self):
        for rule, moves, five in (("exact5", 21, [[x, 2] for x in range(5)]),
                                  ("freestyle", 11, [[x, 0] for x in range(6)])):
            with self.subTest(rule=rule):
                players = (BrainPlayer("b", fake("scripted", *BLACK_SCRIPT)),
                           BrainPlayer("w", fake("scripted", *WHITE_SCRIPT)))
                record = play_game(players, fast_config(rule=rule), ())
                self.assertEqual((record["reason"], record["winner"]), ("five", "black"))
                self.assertEqual(len(record["moves"]), moves)
                self.assertEqual(record["five"], five)

    def test_full_board_and_move_limit_are_draws(self):
        rows = ["BBWWB", "WWBBW", "BBWWB", "WWBBW", "BBWWB"]  # a full 5x5 board without a five
        scripts = [["%d,%d" % (x, y) for y in range(5) for x in range(5) if rows[y][x] == c]
                   for c in "BW"]
        players = [BrainPlayer(c, fake("scripted", *script)) for c, script in zip("bw", scripts)]
        record = play_game(players, fast_config(width=5, height=5), ())
        self.assertEqual((record["reason"], record["result"]), ("full_board", "1/2-1/2"))
        self.assertEqual(len(record["moves"]), 25)
        players = [BrainPlayer(n, fake("random")) for n in "bw"]
        record = play_game(players, fast_config(max_moves=7), [(7, 7), (8, 8)])
        self.assertEqual((record["reason"], record["winner"]), ("move_limit", None))
        self.assertEqual(len(record["moves"]), 5)


class OpeningsTest(unittest.TestCase):
    def test_file_openings_in_both_forms(self):
        # Centre offsets and square names (column letter, row from 1), told apart by line;
        # on 15x10 the centre is h6 = (7, 5).
        text = "# three openings\n0,0, 1,0, 2,-2\n\nh6h7i6\n g5, h5 \n"
        self.assertEqual(parse_openings(text, 15, 10, "exact5"),
                         [[(7, 5), (8, 5), (9, 3)], [(7, 5), (7, 6), (8, 5)], [(6, 4), (7, 4)]])
        self.assertEqual(parse_openings("7,7 8,7", 15, 15, "exact5", centred=False),
                         [[(7, 7), (8, 7)]])
        bad = {"0,0\n8,0": "line 2: stone 15,7 is off the board", "p8": "off the board",
               "0,0 1,1 0,0": "twice", "h8h9h8": "twice", "0,0 1": "odd",
               "0,0\nh8 x": "line 2: neither x,y offsets from the centre nor square names",
               "#": "no opening",
               " ".join("%d,0 %d,1" % (x, x) for x in range(5)): "five"}
        for text, problem in bad.items():
            with self.subTest(text=text), self.assertRaisesRegex(ValueError, problem):
                parse_openings(text, 15, 15, "exact5")

    def test_builtin_and_random_openings_fit_every_board(self):
        for size in (5, 15, 20):
            builtin = builtin_openings(size, size, "exact5")
            self.assertEqual(len(builtin), 12)
            self.assertEqual(len({tuple(o) for o in builtin}), 12)
        first = random_openings(6, 4, 42, 15, 15, "exact5")
        self.assertEqual(first, random_openings(6, 4, 42, 15, 15, "exact5"))
        self.assertNotEqual(first, random_openings(6, 4, 43, 15, 15, "exact5"))
        for opening in first:
            self.assertEqual(len(set(opening)), 4)
            self.assertTrue(all(abs(x - 7) <= 3 and abs(y - 7) <= 3 for x, y in opening))
        crowded = random_openings(3, 20, 1, 5, 5, "freestyle")
        self.assertTrue(all(len(set(o)) == 20 and max(max(o)) < 5 for o in crowded))
        with self.assertRaises(ValueError):
            random_openings(1, 26, 1, 5, 5, "exact5")


class StatsTest(unittest.TestCase):
    def test_elo(self):
        elo, low, high = elo_difference(75, 0, 25)
        self.assertAlmostEqual(elo, 190.85, places=1)
        self.assertLess(low, elo)
        self.assertGreater(high, elo)
        self.assertAlmostEqual(elo_difference(25, 0, 75)[0], -elo)
        even = elo_difference(40, 20, 40)
        self.assertAlmostEqual(even[0], 0)
        self.assertAlmostEqual(even[1], -even[2])
        self.assertLess(even[2], elo_difference(4, 2, 4)[2])  # more games, narrower interval
        # All games alike: a finite bound on the open side, not a zero-width interval.
        elo, low, high = elo_difference(20, 0, 0)
        self.assertEqual((elo, high), (math.inf, math.inf))
        self.assertAlmostEqual(low, 285, delta=3)
        elo, low, high = elo_difference(0, 10, 0)
        self.assertEqual(elo, 0)
        self.assertAlmostEqual(low, -high)
        self.assertLess(low, -100)

    def test_percentile_and_summary(self):
        self.assertEqual(percentile([5, 1, 3, 2, 4], 50), 3)
        self.assertEqual(percentile(list(range(1, 201)), 99), 198)
        self.assertEqual(percentile([7], 99), 7)
        moves = [{"colour": "black", "ms": 90.0}, {"colour": "white", "ms": 130.0}]
        records = [
            {"black": "a", "white": "b", "winner": "black", "winner_name": "a",
             "reason": "five", "moves": moves},
            {"black": "b", "white": "a", "winner": "black", "winner_name": "b",
             "reason": "time_forfeit", "moves": moves,
             "failed_move": {"colour": "white", "ms": 400.0}},
        ]
        text = summary(records, ["a", "b"], 100)
        self.assertIn("+1 =0 -1", text)
        self.assertIn("time_forfeit (a lost) 1", text)
        self.assertIn("a: 3 moves, ms median 130 p99 400 max 400; over timeout_turn 2, "
                      "largest 300 ms", text)


if __name__ == "__main__":
    unittest.main()
