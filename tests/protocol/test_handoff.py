"""A running turn and the commands that arrive during it."""

import re
import time
import unittest

from brain import Session

QUIET = ["START 15", "INFO timeout_turn 60000", "BOARD", "7,7,1", "8,7,2", "7,8,2", "8,8,1",
         "DONE"]
MOVE_LINE = re.compile(r"\d+,\d+")
AB_LINE = re.compile(r"MESSAGE AB: D:\d+ (E:-?\d+ )?F:(0M|T1Aa|T1Ab|T1B|T1C|W|T2) S:\d+")


class HandOffTest(unittest.TestCase):
    def setUp(self):
        self.brain = Session()
        self.addCleanup(self.brain.close)

    def start_long_turn(self):
        self.brain.send(*QUIET)
        self.assertEqual("OK", self.brain.read_line())
        time.sleep(0.5)  # the search is under way; nothing is printed until it ends

    def read_move_after_stop(self, limit=5.0, searching=True):
        """The stopped turn's lines: its report (the search's AB line when it was searching),
        then its move line, both in time."""
        sent = time.monotonic()
        message = self.brain.read_line(timeout=limit, skip_messages=False)
        self.assertRegex(message, AB_LINE if searching else r"^MESSAGE (AB|THR): ")
        move = self.brain.read_line(timeout=limit)
        self.assertRegex(move, MOVE_LINE)
        self.assertLess(time.monotonic() - sent, limit)
        return move

    def test_end_during_a_turn_prints_the_move_then_exits(self):
        self.start_long_turn()
        self.brain.send("END")
        self.read_move_after_stop()
        self.assertIsNone(self.brain.read_line())
        self.assertEqual(0, self.brain.wait())

    def test_turn_during_a_turn_comes_after_the_move_line(self):
        self.start_long_turn()
        self.brain.send("TURN 0,14")  # far from the engine's stones: not its move
        self.read_move_after_stop()
        time.sleep(0.5)
        self.brain.send("END")
        # The second turn, stopped by END unless a threat decided it at once.
        self.read_move_after_stop(searching=False)
        self.assertEqual(0, self.brain.wait())

    def test_board_during_a_turn(self):
        self.start_long_turn()
        # A new position with one stone: the opening rule steps diagonally from the last
        # opponent stone recorded (7,8 of the first BOARD) towards the centre.
        self.brain.send("BOARD", "1,1,1", "DONE")
        self.read_move_after_stop()
        self.assertEqual("8,7", self.brain.read_line())
        self.brain.send("END")
        self.assertEqual(0, self.brain.wait())

    def test_replies_that_need_no_board_do_not_wait(self):
        self.start_long_turn()
        self.brain.send("ABOUT", "INFO timeout_turn 60000", "RECTSTART 9", "hello")
        self.assertTrue(self.brain.read_line(timeout=2).startswith('name="Fivefold"'))
        self.assertEqual("ERROR bad RECTSTART parameters", self.brain.read_line(timeout=2))
        self.assertEqual("UNKNOWN command", self.brain.read_line(timeout=2))
        self.brain.send("END")
        self.read_move_after_stop()
        self.assertEqual(0, self.brain.wait())

    def test_time_setting_changed_during_a_turn_takes_effect(self):
        self.start_long_turn()
        self.brain.send("INFO timeout_turn 200")
        self.read_move_after_stop(limit=4.0)
        self.brain.send("END")
        self.assertEqual(0, self.brain.wait())

    def test_end_of_input_during_a_turn_exits_at_once(self):
        self.start_long_turn()
        start = time.monotonic()
        self.brain.process.stdin.close()
        self.assertEqual(0, self.brain.wait(timeout=5))
        self.assertLess(time.monotonic() - start, 3)


if __name__ == "__main__":
    unittest.main()
