"""The terminal game: square input, the drawn board, the human player and the brain build."""

import io
import os
import re
import subprocess
import sys
import tempfile
import unittest
from unittest import mock

from fakes_helper import HERE, fake, fast_config, read_lines

from fivefold_tools import build
from fivefold_tools import terminal
from fivefold_tools.manager.brain import BrainPlayer
from fivefold_tools.manager.game import play_game
from fivefold_tools.rules.board import BLACK, WHITE, new_board, place


class InputTest(unittest.TestCase):
    def test_squares(self):
        board = new_board(15, 15)
        place(board, 7, 7, BLACK)
        self.assertEqual(terminal.parse_square("h9", board), (7, 8))
        self.assertEqual(terminal.parse_square(" 3, 4 ", board), (3, 4))
        self.assertEqual(terminal.parse_square("A1", board), (0, 0))
        for text, problem in (("h8", "taken"), ("7,7", "taken"), ("p1", "off the board"),
                              ("a16", "off the board"), ("15,0", "off the board"),
                              ("-1,0", "off the board"), ("u1", "off the board"),
                              ("a0", "off the board"), ("hello", "type"), ("", "type")):
            with self.subTest(text=text):
                self.assertIn(problem, terminal.parse_square(text, board))

    def test_human_is_asked_again_until_a_free_square(self):
        typed = iter(["", "7,7", "zz", "h9"])
        prompts = []
        human = terminal.HumanPlayer()
        engine = BrainPlayer("engine", fake("scripted", "7,7"))
        with mock.patch("builtins.input", lambda prompt: prompts.append(prompt) or next(typed)), \
                mock.patch("sys.stdout", io.StringIO()) as shown:
            record = play_game((engine, human), fast_config(max_moves=2), ())
        self.assertEqual([(m["x"], m["y"]) for m in record["moves"]], [(7, 7), (7, 8)])
        self.assertEqual(shown.getvalue().count("taken"), 1)
        self.assertIn("q resigns", prompts[0])
        with mock.patch("builtins.input", side_effect=EOFError):
            record = play_game((engine, human), fast_config(), ())
        self.assertEqual((record["reason"], record["winner"]), ("resigned", "black"))
        # Under renju, black's foul is refused with its reason and asked again.
        typed = iter(["5,7", "6,7", "7,5", "7,6", "7,7", "8,8"])
        engine = BrainPlayer("engine", fake("scripted", "0,0", "0,2", "0,4", "0,6"))
        with mock.patch("builtins.input", lambda prompt: next(typed)), \
                mock.patch("sys.stdout", io.StringIO()) as shown:
            record = play_game((human, engine), fast_config(rule="renju", max_moves=10), ())
        self.assertIn("7,7 is forbidden to black (a double three)", shown.getvalue())
        self.assertEqual(record["moves"][-2], {"colour": "black", "ms": mock.ANY, "x": 8, "y": 8})


class DrawingTest(unittest.TestCase):
    def test_board_marks(self):
        board = new_board(6, 5)
        for x in range(5):
            place(board, x, 4, BLACK)
        place(board, 5, 0, WHITE)
        five = [(x, 4) for x in range(5)]
        lines = terminal.render(board, (5, 0, WHITE), five).splitlines()
        self.assertEqual(lines[0], "     a  b  c  d  e  f ")
        self.assertEqual(lines[1], "  1  .  .  .  .  . [O]")
        self.assertEqual(lines[5], "  5 (X)(X)(X)(X)(X) . ")
        coloured = terminal.render(board, None, five, colour=True)
        self.assertEqual(coloured.count(terminal.FIVE_COLOUR), 5)
        self.assertEqual(coloured.count(terminal.COLOURS[WHITE]), 1)

    def test_demo_shows_each_move_with_its_own_lines(self):
        with tempfile.TemporaryDirectory() as tmp:
            log = os.path.join(tmp, "brain")
            run = subprocess.run(
                [sys.executable, os.path.join(HERE, "..", "..", "tools", "play.py"), "--brain",
                 fake("random", log), "--size", "7", "--seed", "1", "--nodes", "500",
                 "--depth", "8"],
                capture_output=True, text=True, timeout=60)
            sent = read_lines(log)
        self.assertEqual(run.returncode, 0, run.stderr)
        # The limits reach both brains, with a clock that leaves the decision to them.
        for line in ("INFO max_node 500", "INFO max_depth 8", "INFO timeout_turn 60000"):
            self.assertEqual(sent.count(line), 2, line)
        shown = run.stdout.splitlines()
        self.assertEqual(shown[1], "engine 1 (X, black) against engine 2 (O, white): 7x7, "
                                   "exact5, limits: depth 8, 500 nodes, 60000 ms a move")
        self.assertEqual(shown[2:4], ["opening, 3 stones: d4 e4 d2", "     a  b  c  d  e  f  g "])
        self.assertRegex(shown[-1], r"wins with five in a row|draw \(full board\)")
        # Under each move exactly the mover's line for that move: the fake brain's evaluation
        # is the count of stones it saw, one less than the move number.
        moves = [int(m) for m in re.findall(r"^move (\d+): ", run.stdout, re.M)]
        told = [tuple(map(int, t)) for t in re.findall(
            r"^  engine (\d), move (\d+): MESSAGE AB: D:6 E:(\d+) F:T2 S:1000  "
            r"-- depth 6, evaluation (\d+), stopped: ", run.stdout, re.M)]
        self.assertEqual([move for _, move, _, _ in told], moves)
        for engine, move, seen, described in told:
            self.assertEqual((engine, seen, described), (2 - move % 2, move - 1, move - 1))
        self.assertEqual(len(told), len(re.findall("MESSAGE", run.stdout)))


class BuildTest(unittest.TestCase):
    def test_builds_only_when_missing_or_stale(self):
        with tempfile.TemporaryDirectory() as root:
            for name in ("CMakeLists.txt", "CMakePresets.json", "src/a.cpp", build.BRAIN):
                os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
                open(os.path.join(root, name), "w").close()
            done = subprocess.CompletedProcess([], 0, "", "")
            with mock.patch("subprocess.run", return_value=done) as run, \
                    mock.patch("sys.stderr", io.StringIO()):
                build.ensure_brain(root)
                self.assertEqual(run.call_count, 0)
                os.utime(os.path.join(root, build.BRAIN), (1, 1))
                self.assertEqual(build.ensure_brain(root), os.path.join(root, build.BRAIN))
                self.assertEqual([c.args[0][:2] for c in run.call_args_list],
                                 [["cmake", "--preset"], ["cmake", "--build"]])
                os.remove(os.path.join(root, build.BRAIN))
                build.ensure_brain(root)
                self.assertEqual(run.call_count, 4)


if __name__ == "__main__":
    unittest.main()
