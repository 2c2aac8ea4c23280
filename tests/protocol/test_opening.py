"""A fresh brain opens games by its fixed rules."""

import unittest

from brain import MOVE, TranscriptCase, run


class OpeningTest(TranscriptCase):
    def check(self, lines, expected):
        self.assertTranscript(lines + ["END"], expected)

    def test_first_move_is_the_centre(self):
        self.check(["START 15", "BEGIN"], ["OK", "7,7"])
        self.check(["START 20", "BEGIN"], ["OK", "10,10"])
        self.check(["RECTSTART 20,15", "BEGIN"], ["OK", "10,7"])

    def test_reply_steps_diagonally_towards_the_centre(self):
        for opponent, reply in [("7,7", "8,8"), ("3,12", "4,11"), ("12,3", "11,4")]:
            self.check(["START 15", f"TURN {opponent}"], ["OK", reply])

    def test_second_move_takes_a_diagonal_neighbour_of_the_centre(self):
        # A fresh process draws the same first random value every time: an odd one.
        self.check(["START 15", "BEGIN", "TURN 9,9"], ["OK", "7,7", "8,6"])
        self.check(["START 15", "BEGIN", "TURN 7,5"], ["OK", "7,7", "6,6"])

    def test_rule_square_taken_leaves_the_move_to_the_search(self):
        # Two stones, neither on the centre, and the rule's square (8,6 for the odd first
        # random value) already taken: the turn driver answers with a free square instead.
        out, code = run(["START 15", "BOARD", "8,6,1", "8,8,2", "DONE", "PLAY 8,6", "END"],
                        keep_messages=True)
        self.assertEqual(0, code)
        self.assertEqual("OK", out[0])
        self.assertTrue(out[1].startswith("MESSAGE AB:"), out)
        self.assertRegex(out[2], MOVE)
        self.assertNotEqual("8,6", out[2])
        self.assertEqual(["ERROR my move [8,6]", "8,6"], out[3:])


if __name__ == "__main__":
    unittest.main()
