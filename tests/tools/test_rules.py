"""Adjudication by the rule, openings and the match statistics."""

import math
import os
import unittest

from fakes_helper import HERE, fake, fast_config

from fivefold_tools.manager.brain import BrainPlayer
from fivefold_tools.manager.game import play_game
from fivefold_tools.manager.stats import elo_difference, percentile, summary
from fivefold_tools.rules.board import (BLACK, DIRECTIONS, WHITE, cell, five_through, new_board,
                                        on_board, place, run_through)
from fivefold_tools.rules import sgf
from fivefold_tools.rules.game_record import build_record, record_stones
from fivefold_tools.rules.openings import builtin_openings, parse_openings, random_openings
from fivefold_tools.rules.record_files import read_records
from fivefold_tools.rules.renju import forbidden_points

# The position tables the engine's tests and the page's judge read too.
TABLES = os.path.join(HERE, "..", "rules")


def table_lines(name):
    """(line number, text) of the table's positions."""
    with open(os.path.join(TABLES, name)) as f:
        return [(n, line.strip()) for n, line in enumerate(f, 1)
                if line.strip() and not line.startswith("#")]


def board_of(width, height, stones):
    board = new_board(int(width), int(height))
    for stone in stones:
        x, y, colour = map(int, stone.split(","))
        place(board, x, y, colour)
    return board


def squares(text):
    return set() if text == "-" else {tuple(map(int, s.split(","))) for s in text.split(";")}


def with_stone(board, x, y, colour, look):
    """look(board) with a stone of colour on the empty (x, y), which is empty again after."""
    board.cells[x * board.height + y] = colour
    try:
        return look(board)
    finally:
        board.cells[x * board.height + y] = 0


def empty_squares(board):
    return [(x, y) for x in range(board.width) for y in range(board.height)
            if not cell(board, x, y)]


def winning_squares(board, colour, rule):
    return {(x, y) for x, y in empty_squares(board)
            if with_stone(board, x, y, colour, lambda b: five_through(b, x, y, rule))}


def straight_four_through(board, x, y, colour, rule):
    """Whether the stone at (x, y) stands in four in a row with both squares beyond empty,
    each completing a win by the rule."""
    for dx, dy in DIRECTIONS:
        run = run_through(board, x, y, dx, dy)
        ends = [(run[0][0] - dx, run[0][1] - dy), (run[-1][0] + dx, run[-1][1] + dy)]
        if len(run) == 4 and all(
                on_board(board, ex, ey) and not cell(board, ex, ey)
                and with_stone(board, ex, ey, colour, lambda b: five_through(b, ex, ey, rule))
                for ex, ey in ends):
            return True
    return False


def has_three(board, colour, rule):
    """The table's three, tried square by square: one more stone makes a straight four."""
    return any(with_stone(board, x, y, colour,
                          lambda b: straight_four_through(b, x, y, colour, rule))
               for x, y in empty_squares(board))


def renju_table(name):
    """(line number, board, {(x, y): reason}) of a table of forbidden points."""
    for number, line in table_lines(name):
        stones, points = line.split("|")
        board = board_of(*stones.split()[:2], stones.split()[2:])
        want = {}
        for point in points.split():
            if point != "-":
                square, reason = point.split(":")
                want[tuple(map(int, square.split(",")))] = reason.replace("-", "_")
        yield number, board, want

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

    def test_games_end_by_the_rule(self):
        # The six of BLACK_SCRIPT; then black's five on row 0 (x 3..7) shut by white's 2,0
        # and 8,0, on which caro plays on to black's five on row 2 that the edge does not shut.
        shut = (["3,0", "4,0", "5,0", "6,0", "7,0", "0,2", "1,2", "2,2", "3,2", "4,2"],
                ["2,0", "8,0", "0,5", "1,6", "2,5", "3,6", "4,5", "5,6", "6,5"])
        for rule, (black, white), moves, five in (
                ("exact5", (BLACK_SCRIPT, WHITE_SCRIPT), 21, [[x, 2] for x in range(5)]),
                ("freestyle", (BLACK_SCRIPT, WHITE_SCRIPT), 11, [[x, 0] for x in range(6)]),
                ("exact5", shut, 9, [[x, 0] for x in range(3, 8)]),
                ("caro", shut, 19, [[x, 2] for x in range(5)])):
            with self.subTest(rule=rule, moves=moves):
                players = (BrainPlayer("b", fake("scripted", *black)),
                           BrainPlayer("w", fake("scripted", *white)))
                record = play_game(players, fast_config(rule=rule), ())
                self.assertEqual((record["reason"], record["winner"]), ("five", "black"))
                self.assertEqual((len(record["moves"]), record["five"]), (moves, five))

    def test_renju_fouls_lose_as_the_random_mover_plays_them(self):
        # Black's 7,7 makes open threes on row 7 and down column 7: a foul under renju only,
        # and only black's (white may take the square, and the game goes on to its limit).
        black = ["5,7", "6,7", "7,5", "7,6"]
        white = ["0,0", "0,2", "0,4"]
        for rule, scripts, ending in (
                ("renju", (black + ["7,7"], white), ("double_three", "white", "7,7")),
                ("freestyle", (black + ["7,7", "7,8", "7,9"], white), ("five", "black", None)),
                ("renju", (black + ["0,14", "2,14", "4,14"],
                           white + ["7,7", "14,14", "14,11", "14,8"]),
                 ("move_limit", None, None))):
            with self.subTest(rule=rule, ending=ending):
                players = [BrainPlayer(c, fake("scripted", *s)) for c, s in zip("bw", scripts)]
                record = play_game(players, fast_config(rule=rule, max_moves=14), ())
                self.assertEqual((record["reason"], record["winner"], record.get("detail")),
                                 ending)
        # The random mover plays a forbidden point on purpose now and then (and says so):
        # the manager ends every such game there, and its records read back alike.
        fouls = 0
        while fouls < 3:
            said = []
            players = [BrainPlayer(n, fake("random")) for n in "bw"]
            record = play_game(players, fast_config(width=9, height=9, rule="renju"), (),
                               lambda board, stone, reply, five, ending: said.append(
                                   [m.split()[2:] for m in reply.messages if " foul " in m]))
            if any(said[:-1]):
                self.fail("a foul played on purpose was not called: %s" % said)
            if said[-1]:
                fouls += 1
                (square, reason), = said[-1]
                self.assertEqual((record["winner"], record["reason"], record["detail"]),
                                 ("white", reason, square))
            # Judged again from its stones alone, and read back from SGF, rule and all.
            stones = [(x, y, c, "%d,%d" % (x, y), 0) for x, y, c in record_stones(record)]
            judged = build_record(record["size"], stones, 0, rule="renju")
            (read,), errors = read_records(sgf.write_game(record), "game.sgf")
            self.assertEqual(errors, [])
            for game in (judged, read):
                self.assertEqual((game["rule"], game["winner"], game["reason"]),
                                 ("renju", record["winner"], record["reason"]))

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


class RuleTablesTest(unittest.TestCase):
    """The judges against tests/rules/: every claim of positions.txt, and every forbidden
    point of the renju tables, the manager's own sample among them."""

    def test_claims_by_rule(self):
        for number, line in table_lines("positions.txt"):
            position, claims = line.split("|")
            rule, width, height, *stones = position.split()
            board = board_of(width, height, stones)
            for claim in claims.split():
                kind, value = claim.split("=")
                with self.subTest(line=number, claim=claim):
                    if kind == "five":
                        fives = {cell(board, x, y) for x in range(board.width)
                                 for y in range(board.height)
                                 if cell(board, x, y) and five_through(board, x, y, rule)}
                        self.assertEqual(fives, {int(value)} - {0})
                    elif kind == "wins":
                        colour, where = value.split(":")
                        self.assertEqual(winning_squares(board, int(colour), rule), squares(where))
                    else:
                        colour, answer = value.split(":")
                        self.assertEqual(has_three(board, int(colour), rule), answer == "yes")

    def test_forbidden_points_with_their_reasons(self):
        for name in ("renju_positions.txt", "renju_judge_sample.txt"):
            for number, board, want in renju_table(name):
                with self.subTest(table=name, line=number):
                    self.assertEqual(forbidden_points(board), want)


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
