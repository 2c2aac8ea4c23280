"""The rule the manager names: INFO rule's numbers from the tools' table reach the engine, an
unknown number is played as exact five and said so, and under renju YXSHOWFORBID names black's
fouls as the tools' judge does while the engine, as black, never plays one."""

import random
import unittest

from brain import Session, run
from fivefold_tools.rules.board import BLACK, INFO_RULE, WHITE, cell, new_board, place
from fivefold_tools.rules.renju import forbidden_points


def messages(lines):
    out, code = run(lines, keep_messages=True)
    assert code == 0, out
    return [line for line in out if line.startswith("MESSAGE")], out[-1]


def beside(board, x, y, colour):
    """Whether a stone of the colour stands next to (x, y)."""
    return any(0 <= x + dx < 15 and 0 <= y + dy < 15 and cell(board, x + dx, y + dy) == colour
               for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def board_lines(stones):
    """A BOARD block: (x, y, who) in the order played."""
    return ["BOARD"] + ["%d,%d,%d" % stone for stone in stones] + ["DONE"]


# The opponent's B B B B _ B on row 7: one four in exact five (9,7 would make six), two in
# freestyle and caro. The engine's stones lie far away.
OVERLINE_FOUR = [(5, 7, 2), (6, 7, 2), (7, 7, 2), (8, 7, 2), (10, 7, 2),
                 (1, 1, 1), (1, 13, 1), (13, 1, 1), (13, 13, 1)]
# The opponent's four on row 7 between two of the engine's stones: 9,7 makes a five that the
# engine's stones shut at both ends, no win under caro.
SHUT_FOUR = [(4, 7, 1), (5, 7, 2), (6, 7, 2), (7, 7, 2), (8, 7, 2), (10, 7, 1),
             (1, 13, 1), (13, 13, 2)]


class RuleNumbersTest(unittest.TestCase):
    def answer(self, rule_line, stones):
        return messages(["START 15", rule_line] + board_lines(stones) + ["END"])

    def test_the_tools_numbers_name_the_rules(self):
        exact = ["MESSAGE THR: O4>1I"]
        two_fours = ["MESSAGE THR: O4>1", "MESSAGE Grat"]
        self.assertEqual(self.answer("INFO rule %d" % INFO_RULE["exact5"], OVERLINE_FOUR),
                         (exact, "4,7"))
        for rule in ("freestyle", "caro"):
            said, _ = self.answer("INFO rule %d" % INFO_RULE[rule], OVERLINE_FOUR)
            self.assertEqual(said, two_fours, rule)
        for rule in ("exact5", "freestyle"):
            self.assertEqual(self.answer("INFO rule %d" % INFO_RULE[rule], SHUT_FOUR),
                             (["MESSAGE THR: O4=1"], "9,7"), rule)
        said, _ = self.answer("INFO rule %d" % INFO_RULE["caro"], SHUT_FOUR)
        self.assertFalse([line for line in said if line.startswith("MESSAGE THR")], said)

    def test_an_unknown_number_plays_exact_five_and_says_so(self):
        said, move = self.answer("INFO rule 16", OVERLINE_FOUR)
        self.assertEqual(said, ["MESSAGE INFO rule 16 is not a rule Fivefold knows: it plays "
                                "exact five", "MESSAGE THR: O4>1I"])
        self.assertEqual(move, "4,7")
        # The continuous-game bit is read and ignored; known numbers print nothing.
        self.assertEqual(self.answer("INFO rule 3", OVERLINE_FOUR), (["MESSAGE THR: O4>1I"], "4,7"))
        self.assertEqual(self.answer("INFO rule 2", OVERLINE_FOUR)[0],
                         ["MESSAGE THR: O4>1", "MESSAGE Grat"])


class RenjuTest(unittest.TestCase):
    """Node-limited games against a random player near the stones."""

    def forbid_line(self, board):
        """The YXSHOWFORBID answer the tools' judge gives for black to move."""
        points = sorted(forbidden_points(board)) if board.count % 2 == 0 else []
        return "FORBID " + "".join("%02d%02d" % point for point in points) + "."

    def play(self, engine_black, seed):
        rng = random.Random(seed)
        board = new_board(15, 15)
        brain = Session()
        self.addCleanup(brain.close)
        brain.send("START 15", "INFO rule %d" % INFO_RULE["renju"], "INFO max_node 3000")
        self.assertEqual(brain.read_line(), "OK")
        engine, other = (BLACK, WHITE) if engine_black else (WHITE, BLACK)
        fouls_named = 0
        if engine_black:
            brain.send("BEGIN")
        for _ in range(30):
            if board.count % 2 == (0 if engine_black else 1):
                x, y = map(int, brain.read_line().split(","))
                self.assertFalse(cell(board, x, y))
                if engine == BLACK:
                    self.assertNotIn((x, y), forbidden_points(board), "the engine's foul")
                place(board, x, y, engine)
                brain.send("YXSHOWFORBID")
                said = brain.read_line()
                self.assertEqual(said, self.forbid_line(board))
                fouls_named += said != "FORBID ."
            else:
                # Beside its own stones where it has any, so that black's lines grow and
                # come to fouls.
                fouls = forbidden_points(board) if other == BLACK else {}
                free = [(x, y) for x in range(15) for y in range(15)
                        if not cell(board, x, y) and (x, y) not in fouls]
                x, y = rng.choice([square for square in free if beside(board, *square, other)]
                                  or [square for square in free if beside(board, *square, engine)]
                                  or [(7, 7)])
                place(board, x, y, other)
                brain.send("TURN %d,%d" % (x, y))
        brain.send("END")
        self.assertEqual(brain.wait(), 0)
        return fouls_named

    def test_fouls_named_as_the_tools_judge_and_never_played(self):
        named = sum(self.play(engine_black=seed % 2 == 0, seed=seed) for seed in range(6))
        self.assertGreater(named, 0)  # the games did come to fouls to name


if __name__ == "__main__":
    unittest.main()
