"""Starts the brain named by FIVEFOLD_BRAIN (a shell-style command line) and talks to it."""

import os
import queue
import re
import shlex
import subprocess
import threading
import time
import unittest

MOVE = re.compile(r"-?\d+,-?\d+")  # stands for any move line in an expected transcript


def brain_command():
    command = os.environ.get("FIVEFOLD_BRAIN")
    if not command:
        raise RuntimeError("FIVEFOLD_BRAIN must name the brain to test")
    return shlex.split(command)


def to_bytes(lines):
    if isinstance(lines, bytes):
        return lines
    return "".join(line + "\n" for line in lines).encode()


def run(lines, timeout=60, keep_messages=False):
    """Feeds the whole input at once; returns (output lines, exit status)."""
    result = subprocess.run(brain_command(), input=to_bytes(lines), stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=timeout, check=False)
    out = result.stdout.decode(errors="replace").replace("\r\n", "\n").split("\n")
    if out and out[-1] == "":
        out.pop()
    if not keep_messages:
        out = [line for line in out if not line.startswith("MESSAGE")]
    return out, result.returncode


def matches(expected, actual):
    if len(expected) != len(actual):
        return False
    for want, got in zip(expected, actual):
        if isinstance(want, re.Pattern):
            if not want.fullmatch(got):
                return False
        elif want != got:
            return False
    return True


class Session:
    """An interactive brain: lines are sent one by one and read back with deadlines."""

    def __init__(self, command=None):
        """command: the brain's arguments (default: FIVEFOLD_BRAIN)."""
        self.process = subprocess.Popen(command or brain_command(), stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.lines = queue.Queue()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for raw in self.process.stdout:
            self.lines.put((time.monotonic(), raw.decode(errors="replace").rstrip("\r\n")))
        self.lines.put((time.monotonic(), None))

    def send(self, *lines):
        self.process.stdin.write(to_bytes(list(lines)))
        self.process.stdin.flush()

    def read_line(self, timeout=30, skip_messages=True):
        """The next line (None at end of output); raises TimeoutError after the deadline."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                _, line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                raise TimeoutError("no line from the brain in time") from None
            if line is None or not (skip_messages and line.startswith("MESSAGE")):
                return line

    def wait(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        for stream in (self.process.stdin, self.process.stdout, self.process.stderr):
            try:
                stream.close()
            except OSError:
                pass


class TranscriptCase(unittest.TestCase):
    """Runs a whole input through a fresh brain and compares its output lines."""

    def assertTranscript(self, lines, expected, status=0):
        out, code = run(lines)
        self.assertTrue(matches(expected, out), f"\nexpected {expected}\nactual   {out}")
        self.assertEqual(status, code)
