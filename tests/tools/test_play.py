"""The terminal game: square input, the drawn board, the human player and the brain build."""

import io
import os
import subprocess
import sys
import tempfile
import unittest
from unittest import mock

from fakes_helper import HERE, fake, fast_config

import play
from board import BLACK, WHITE, new_board, place
from brain import BrainPlayer
from game import play_game


class InputTest(unittest.TestCase):
    def test_squares(self):
        board = new_board(15, 15)
        place(board, 7, 7, BLACK)
        self.assertEqual(play.parse_square("h9", board), (7, 8))
        self.assertEqual(play.parse_square(" 3, 4 ", board), (3, 4))
        self.assertEqual(play.parse_square("A1", board), (0, 0))
        for text, problem in (("h8", "taken"), ("7,7", "taken"), ("p1", "off the board"),
                              ("a16", "off the board"), ("15,0", "off the board"),
                              ("a0", "off the board"), ("hello", "type"), ("", "type")):
            with self.subTest(text=text):
                self.assertIn(problem, play.parse_square(text, board))

    def test_human_is_asked_again_until_a_free_square(self):
        typed = iter(["", "7,7", "zz", "h9"])
        human = play.HumanPlayer()
        engine = BrainPlayer("engine", fake("scripted", "7,7"))
        with mock.patch("builtins.input", lambda prompt: next(typed)), \
                mock.patch("sys.stdout", io.StringIO()) as shown:
            record = play_game((engine, human), fast_config(max_moves=2), ())
        self.assertEqual([(m["x"], m["y"]) for m in record["moves"]], [(7, 7), (7, 8)])
        self.assertEqual(shown.getvalue().count("taken"), 1)
        with mock.patch("builtins.input", side_effect=EOFError):
            record = play_game((engine, human), fast_config(), ())
        self.assertEqual((record["reason"], record["winner"]), ("resigned", "black"))


class DrawingTest(unittest.TestCase):
    def test_board_marks(self):
        board = new_board(6, 5)
        for x in range(5):
            place(board, x, 4, BLACK)
        place(board, 5, 0, WHITE)
        five = [(x, 4) for x in range(5)]
        lines = play.render(board, (5, 0, WHITE), five).splitlines()
        self.assertEqual(lines[0], "     a  b  c  d  e  f ")
        self.assertEqual(lines[1], "  1  .  .  .  .  . [O]")
        self.assertEqual(lines[5], "  5 (X)(X)(X)(X)(X) . ")
        coloured = play.render(board, None, five, colour=True)
        self.assertEqual(coloured.count(play.FIVE_COLOUR), 5)
        self.assertEqual(coloured.count(play.COLOURS[WHITE]), 1)

    def test_demo_runs_to_the_end(self):
        run = subprocess.run(
            [sys.executable, os.path.join(HERE, "..", "..", "tools", "play.py"), "--brain",
             fake("random"), "--size", "7", "--time", "200"],
            capture_output=True, text=True, timeout=60)
        self.assertEqual(run.returncode, 0, run.stderr)
        last = run.stdout.splitlines()[-1]
        self.assertRegex(last, r"wins with five in a row|draw \(full board\)")
        self.assertIn("engine 1: MESSAGE", run.stdout)


class BuildTest(unittest.TestCase):
    def test_builds_only_when_missing_or_stale(self):
        with tempfile.TemporaryDirectory() as root:
            for name in ("CMakeLists.txt", "CMakePresets.json", "src/a.cpp", play.BRAIN):
                os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
                open(os.path.join(root, name), "w").close()
            done = subprocess.CompletedProcess([], 0, "", "")
            with mock.patch("subprocess.run", return_value=done) as run, \
                    mock.patch("sys.stderr", io.StringIO()):
                play.ensure_brain(root)
                self.assertEqual(run.call_count, 0)
                os.utime(os.path.join(root, play.BRAIN), (1, 1))
                self.assertEqual(play.ensure_brain(root), os.path.join(root, play.BRAIN))
                self.assertEqual([c.args[0][:2] for c in run.call_args_list],
                                 [["cmake", "--preset"], ["cmake", "--build"]])
                os.remove(os.path.join(root, play.BRAIN))
                play.ensure_brain(root)
                self.assertEqual(run.call_count, 4)


if __name__ == "__main__":
    unittest.main()
