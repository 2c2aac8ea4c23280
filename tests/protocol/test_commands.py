"""Every command of the protocol and every failure reply, compared line by line."""

import unittest

from brain import MOVE, TranscriptCase

ABOUT = ('name="Fivefold", version="1.0.0", author="Fivefold team", '
         'country="International"')


class BoardSizeTest(TranscriptCase):
    def test_start_sizes(self):
        # TURN probes the size: the last column and row are on the board, one beyond is not.
        self.assertTranscript(["start 15", "TURN 14,14", "TURN 15,0", "TURN 0,15", "END"],
                              ["OK", MOVE, "ERROR bad coordinates", "ERROR bad coordinates"])
        self.assertTranscript(["START 15 10", "TURN 14,9", "TURN 0,10", "END"],
                              ["OK", MOVE, "ERROR bad coordinates"])

    def test_start_without_a_size(self):
        # No board yet: the default 20 x 20 board is set up, then accepted.
        self.assertTranscript(["START", "TURN 19,19", "END"], ["OK", "OK", MOVE])
        self.assertTranscript(["START 0", "TURN 19,19", "END"], ["OK", "OK", MOVE])
        # With a board in force, START alone keeps its size.
        self.assertTranscript(["START 7", "START", "TURN 6,6", "TURN 7,0", "END"],
                              ["OK", "OK", MOVE, "ERROR bad coordinates"])

    def test_rectstart(self):
        for line in ["RECTSTART 20,15", "RECTSTART 20 , 15", "rectstart 20 ,15"]:
            self.assertTranscript([line, "TURN 19,14", "TURN 0,15", "END"],
                                  ["OK", MOVE, "ERROR bad coordinates"])
        self.assertTranscript(["RECTSTART 0,0", "TURN 19,19", "END"], ["OK", "OK", MOVE])

    def test_rejected_sizes_change_nothing(self):
        self.assertTranscript(
            ["START 21", "START 4", "START -5", "START 15 21", "RECTSTART 4,20", "END"],
            ["ERROR size of the board"] * 5)
        # Still no board: the next command sets up the default one.
        self.assertTranscript(["START 4", "TURN 19,19", "END"],
                              ["ERROR size of the board", "OK", MOVE])
        # A size in force stays, with its stones and move count.
        self.assertTranscript(
            ["START 15", "PLAY 3,3", "START 30", "TURN 14,14", "TAKEBACK 3,3", "END"],
            ["OK", "3,3", "ERROR size of the board", MOVE, "OK"])

    def test_bad_rectstart_parameters(self):
        for line in ["RECTSTART 20", "RECTSTART", "RECTSTART 20;15", "RECTSTART x,15"]:
            self.assertTranscript([line, "END"], ["ERROR bad RECTSTART parameters"])
        # Bad parameters set up no board.
        self.assertTranscript(["RECTSTART 20", "TURN 1,1", "END"],
                              ["ERROR bad RECTSTART parameters", "OK", MOVE])

    def test_new_game_starts_on_an_empty_board(self):
        # The stones of the last game are gone after START and RECTSTART.
        for restart in ["START 15", "RECTSTART 15,15"]:
            self.assertTranscript(
                ["START 15", "PLAY 3,3", "TURN 4,4", restart, "PLAY 3,3", "PLAY 4,4", "END"],
                ["OK", "3,3", MOVE, "OK", "3,3", "4,4"])


class MoveCommandTest(TranscriptCase):
    def test_turn_coordinates(self):
        self.assertTranscript(["START 20", "TURN 3, 4", "END"], ["OK", MOVE])
        self.assertTranscript(
            ["START 20", "TURN 3 ,4", "TURN 20,0", "TURN -1,0", "TURN 3", "TURN", "TURN a,b",
             "END"],
            ["OK"] + ["ERROR bad coordinates"] * 6)

    def test_turn_before_start_sets_up_the_default_board(self):
        self.assertTranscript(["TURN 10,10", "END"], ["OK", MOVE])

    def test_turn_on_an_occupied_square_still_starts_a_turn(self):
        self.assertTranscript(["START 15", "PLAY 5,5", "TURN 5,5", "END"],
                              ["OK", "5,5", "ERROR opponents's move [5,5]", MOVE])

    def test_play(self):
        self.assertTranscript(["START 15", "PLAY 5,6", "PLAY 5,6", "PLAY 15,1", "END"],
                              ["OK", "5,6", "ERROR my move [5,6]", "5,6", "ERROR bad coordinates"])
        self.assertTranscript(["PLAY 1,2", "END"], ["OK", "1,2"])

    def test_begin(self):
        self.assertTranscript(["START 15", "BEGIN", "END"], ["OK", MOVE])
        self.assertTranscript(["BEGIN", "END"], ["OK", MOVE])

    def test_takeback(self):
        self.assertTranscript(
            ["START 15", "PLAY 2,2", "TAKEBACK 2,2", "TAKEBACK 2,2", "TAKEBACK 15,2", "TAKEBACK",
             "PLAY 2,2", "END"],
            ["OK", "2,2", "OK", "ERROR bad coordinates", "ERROR bad coordinates",
             "ERROR bad coordinates", "2,2"])
        self.assertTranscript(["TAKEBACK 1,1", "END"], ["OK", "ERROR bad coordinates"])

    def test_numbers_beyond_32_bits_are_unreadable(self):
        self.assertTranscript(
            ["START 15", "TURN 4294967297,1", "PLAY 1,-4294967295", "TAKEBACK 99999999999,0",
             "END"],
            ["OK"] + ["ERROR bad coordinates"] * 3)
        # START reads no number at all: with no board, the default one.
        self.assertTranscript(["START 4294967311", "TURN 19,0", "END"], ["OK", "OK", MOVE])


class OtherCommandTest(TranscriptCase):
    def test_about(self):
        self.assertTranscript(["ABOUT", "about me", "END"], [ABOUT, ABOUT])

    def test_info_never_answers(self):
        self.assertTranscript(
            ["INFO timeout_turn 5000", "INFO time_left 100000", "INFO max_memory 83886080",
             "INFO timeout_match 9999999999999", "INFO game_type 1", "INFO rule 1",
             "INFO folder C:\\data dir", "INFO evaluate 7,7", "INFO", "Information", "info  x",
             "END"],
            [])

    def test_unknown_lines(self):
        self.assertTranscript(["", " START 15", "\tABOUT", "HELLO", "STAR 15", "TAKEBAC 1,1",
                               "END"],
                              ["UNKNOWN command"] * 6)

    def test_keywords_are_prefixes_in_any_case(self):
        self.assertTranscript(["sTaRt 15", "ABOUTX", "PLAYED 1,1", "ENDGAME", "ABOUT"],
                              ["OK", ABOUT, "ERROR bad coordinates"])

    def test_end_exits_at_once(self):
        self.assertTranscript(["END", "START 15"], [])
        self.assertTranscript(["START 15", "end"], ["OK"])


if __name__ == "__main__":
    unittest.main()
