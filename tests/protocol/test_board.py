"""BOARD: its stone lines, its errors, the line that ends it, and the new position."""

import unittest

from brain import MOVE, TranscriptCase, run


class BoardCommandTest(TranscriptCase):
    def test_done_in_any_case_ends_without_error(self):
        for done in ["DONE", "done", "Done"]:
            self.assertTranscript(["START 15", "BOARD", "7,7,1", "8,8,2", done, "END"],
                                  ["OK", MOVE])

    def test_other_ending_lines_are_reported_and_used_up(self):
        error = "ERROR x,y,who or DONE expected after BOARD"
        for ending in ["", "DONE ", "DONE.", "ABOUT", "7,7,4", "7,7,0", "15,1,1", "7,7",
                       "-1,0,1"]:
            self.assertTranscript(["START 15", "BOARD", "7,7,1", "8,8,2", ending, "END"],
                                  ["OK", error, MOVE])

    def test_occupied_squares_are_reported_by_who(self):
        self.assertTranscript(["START 15", "BOARD", "1,1,1", "2,2,2", "3,3,3", "1,1,1", "1,1,2",
                               "2,2,3", "3,3,1", "DONE", "END"],
                              ["OK", "ERROR my move [1,1]", "ERROR opponents's move [1,1]",
                               "ERROR winning move [2,2]", "ERROR my move [3,3]", MOVE])

    def test_board_before_start_sets_up_the_default_board(self):
        self.assertTranscript(["BOARD", "19,19,2", "DONE", "END"], ["OK", MOVE])

    def test_board_replaces_the_whole_position(self):
        # The stone on 14,14 from before BOARD is gone; the engine's move is not there.
        out, _ = run(["START 15", "PLAY 14,14", "BOARD", "2,2,2", "3,3,1", "DONE", "PLAY 14,14",
                      "END"])
        self.assertEqual(["OK", "14,14"], out[:2])
        self.assertRegex(out[2], r"^\d+,\d+$")
        self.assertNotEqual("14,14", out[2])
        self.assertEqual(["14,14"], out[3:])

    def test_stones_read_before_the_error_stay(self):
        self.assertTranscript(["START 15", "BOARD", "4,4,1", "oops", "PLAY 4,4", "END"],
                              ["OK", "ERROR x,y,who or DONE expected after BOARD", MOVE,
                               "ERROR my move [4,4]", "4,4"])

    def test_winning_stone_occupies_its_square(self):
        self.assertTranscript(["START 15", "BOARD", "6,6,3", "DONE", "TURN 6,6", "END"],
                              ["OK", MOVE, "ERROR opponents's move [6,6]", MOVE])


if __name__ == "__main__":
    unittest.main()
