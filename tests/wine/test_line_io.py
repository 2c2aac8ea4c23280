"""Line-level input and output of the brain as a game manager on Windows sees it.

The brain is started with the command line in the environment variable FIVEFOLD_BRAIN
(split like a shell would), for instance the Linux brain or "wine64 pbrain-fivefold.exe".
Output is compared byte for byte: every reply line ends in a single LF on every platform.
"""

import os
import queue
import re
import shlex
import subprocess
import threading
import unittest
from pathlib import Path

# Generous: the first start of a Windows program under Wine can take seconds.
REPLY_TIMEOUT = 30.0
MOVE_LINE = re.compile(rb"^(\d+),(\d+)\n$")


def project_version():
    cmake_lists = Path(__file__).resolve().parents[2] / "CMakeLists.txt"
    match = re.search(r"project\(fivefold VERSION (\S+)", cmake_lists.read_text())
    return match.group(1)


ABOUT_LINE = (
    f'name="Fivefold", version="{project_version()}", author="Fivefold team", '
    'country="International"\n'
).encode()


class Brain:
    """One brain process; its standard output is read by a thread into whole lines."""

    def __init__(self):
        command = shlex.split(os.environ["FIVEFOLD_BRAIN"])
        self.process = subprocess.Popen(
            command, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL
        )
        self.lines = queue.Queue()
        threading.Thread(target=self._read_lines, daemon=True).start()

    def _read_lines(self):
        pending = b""
        while chunk := os.read(self.process.stdout.fileno(), 4096):
            pending += chunk
            while b"\n" in pending:
                line, pending = pending.split(b"\n", 1)
                self.lines.put(line + b"\n")
        if pending:
            self.lines.put(pending)  # an unterminated last line
        self.lines.put(None)  # end of output

    def send(self, data: bytes):
        self.process.stdin.write(data)
        self.process.stdin.flush()

    def close_input(self):
        self.process.stdin.close()

    def next_line(self):
        """The next whole line (LF included); None at end of output."""
        try:
            return self.lines.get(timeout=REPLY_TIMEOUT)
        except queue.Empty:
            raise AssertionError(f"no output line within {REPLY_TIMEOUT} s") from None

    def remaining_lines(self):
        """Every line until the process closes its output."""
        lines = []
        while (line := self.next_line()) is not None:
            lines.append(line)
        return lines

    def exit_status(self):
        return self.process.wait(timeout=REPLY_TIMEOUT)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if not self.process.stdin.closed:
            self.process.stdin.close()
        self.process.stdout.close()


class LineIoTest(unittest.TestCase):
    def start_brain(self):
        brain = Brain()
        self.addCleanup(brain.kill)
        return brain

    def assert_ends_cleanly(self, brain, closing_input):
        """Sends closing_input; the brain must then end with status 0 and no more output."""
        brain.send(closing_input)
        self.assertEqual(brain.remaining_lines(), [])
        self.assertEqual(brain.exit_status(), 0)

    def test_each_reply_arrives_before_the_next_command_is_sent(self):
        brain = self.start_brain()
        brain.send(b"ABOUT\r\n")
        self.assertEqual(brain.next_line(), ABOUT_LINE)
        brain.send(b"START 15\r\n")
        self.assertEqual(brain.next_line(), b"OK\n")
        brain.send(b"PLAY 7,7\r\n")
        self.assertEqual(brain.next_line(), b"7,7\n")
        # The move line comes from the worker thread: flushed on its own as well.
        brain.send(b"TURN 8,8\r\n")
        move = MOVE_LINE.match(brain.next_line())
        self.assertIsNotNone(move)
        self.assertTrue(all(0 <= int(v) < 15 for v in move.groups()))
        self.assertNotIn(move.groups(), [(b"7", b"7"), (b"8", b"8")])
        brain.send(b"bogus\r\n")
        self.assertEqual(brain.next_line(), b"UNKNOWN command\n")
        self.assert_ends_cleanly(brain, b"END\r\n")

    def test_cr_lf_and_lf_lines_read_alike(self):
        brain = self.start_brain()
        brain.send(b"START 10\r\nSTART 12\nRECTSTART 12,9\r\n")
        self.assertEqual([brain.next_line() for _ in range(3)], [b"OK\n"] * 3)
        # A CR alone does not end a line; the final CR of a CR LF line is dropped.
        brain.send(b"TAKEBACK 1,1\rABOUT\r\n\r\n")
        self.assertEqual(brain.next_line(), b"ERROR bad coordinates\n")
        self.assertEqual(brain.next_line(), b"UNKNOWN command\n")
        brain.send(b"BOARD\r\n1,1,1\r\n2,2,2\r\nDONE\r\n")
        self.assertIsNotNone(MOVE_LINE.match(brain.next_line()))
        self.assert_ends_cleanly(brain, b"END\r\n")

    def test_byte_0x1a_is_an_ordinary_character(self):
        brain = self.start_brain()
        brain.send(b"\x1a\r\nSTART 15\x1a\r\n\x1aABOUT\r\nSTART 15\r\n")
        self.assertEqual(brain.next_line(), b"UNKNOWN command\n")
        self.assertEqual(brain.next_line(), b"OK\n")
        self.assertEqual(brain.next_line(), b"UNKNOWN command\n")
        self.assertEqual(brain.next_line(), b"OK\n")
        brain.send(b"ABOUT\r\n")
        self.assertEqual(brain.next_line(), ABOUT_LINE)
        self.assert_ends_cleanly(brain, b"END\r\n")

    def test_end_exits_with_status_0_while_input_stays_open(self):
        brain = self.start_brain()
        brain.send(b"START 15\r\n")
        self.assertEqual(brain.next_line(), b"OK\n")
        self.assert_ends_cleanly(brain, b"end\r\n")

    def test_end_of_input_exits_with_status_0(self):
        for closing in (b"", b"ABOUT"):  # after a whole line, and in the middle of one
            with self.subTest(unterminated=closing):
                brain = self.start_brain()
                brain.send(b"START 15\r\n")
                self.assertEqual(brain.next_line(), b"OK\n")
                brain.send(closing)
                brain.close_input()
                self.assertEqual(brain.remaining_lines(), [])
                self.assertEqual(brain.exit_status(), 0)

    def test_end_of_input_during_a_turn_exits_with_status_0(self):
        # The process ends while the worker may be writing its move line: that line must be
        # there whole and once, or not at all. The race is rare, hence the repetitions.
        for attempt in range(25):
            with self.subTest(attempt=attempt):
                brain = self.start_brain()
                brain.send(b"START 15\r\nBEGIN\r\n")
                brain.close_input()
                lines = brain.remaining_lines()
                self.assertEqual(lines[0], b"OK\n")
                self.assertLessEqual(len(lines), 2, lines)
                for line in lines[1:]:
                    self.assertIsNotNone(MOVE_LINE.match(line))
                self.assertEqual(brain.exit_status(), 0)

if __name__ == "__main__":
    unittest.main()
