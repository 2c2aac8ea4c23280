"""The line reader: CR LF, over-long lines and end of input."""

import unittest

from brain import MOVE, TranscriptCase
from test_commands import ABOUT


class LineReaderTest(TranscriptCase):
    def test_cr_lf_lines(self):
        self.assertTranscript(b"START 15\r\nPLAY 1,1\r\nBOARD\r\n2,2,1\r\nDONE\r\nEND\r\n",
                              ["OK", "1,1", MOVE])

    def test_lone_cr_is_not_a_line_end(self):
        # The CR is white space inside the line: START reads 15 and ABOUT is not a command.
        self.assertTranscript(b"START 15\rABOUT\nEND\n", ["OK"])

    def test_long_line_is_cut_to_255_characters(self):
        # "15" ends at character 255; the "9" beyond it is dropped with the rest of the line.
        line = "START" + " " * 248 + "15" + "9" * 40
        self.assertEqual(255, line.index("9"))
        self.assertTranscript([line, "TURN 14,14", "TURN 15,15", "END"],
                              ["OK", MOVE, "ERROR bad coordinates"])
        # A line of exactly 255 characters is whole.
        line = "START" + " " * 248 + "15"
        self.assertTranscript([line, "TURN 15,15", "END"], ["OK", "ERROR bad coordinates"])

    def test_rest_of_a_long_line_is_not_a_command(self):
        self.assertTranscript(["x" * 300 + "ABOUT", "END"], ["UNKNOWN command"])
        self.assertTranscript(["ABOUT" + "y" * 1000 + "\r", "END"], [ABOUT])

    def test_end_of_input_in_the_middle_of_a_line(self):
        self.assertTranscript(b"START 15\nABO", ["OK"])
        self.assertTranscript(b"START 15\nBOARD\n1,1,1\n2,2", ["OK"])
        self.assertTranscript(b"", [])

    def test_nul_bytes_end_the_text(self):
        self.assertTranscript(b"ABOUT\x00junk\nEND\n", [ABOUT])


if __name__ == "__main__":
    unittest.main()
