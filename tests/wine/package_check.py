"""The Windows zip as people download it: its files, and the brain unpacked from it, run
under Wine through a short game.

Environment: FIVEFOLD_PACKAGE the zip, FIVEFOLD_WINE the Wine loader, FIVEFOLD_OBJDUMP
MinGW's objdump, FIVEFOLD_STACK_BYTES the threads' stack (plus the Wine session's).
"""

import os
import shlex
import subprocess
import tempfile
import unittest
import zipfile

from test_line_io import ABOUT_LINE, MOVE_LINE, Brain, project_version
from windows_exe_check import problems

PACKAGE = os.environ.get("FIVEFOLD_PACKAGE", "")
FOLDER = f"fivefold-{project_version()}-win64"
DOCS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs")
FILES = ["pbrain-fivefold.exe", "fivefold-bench.exe", "README.md", "LICENSE"] + [
    "docs/" + name for name in [""] + os.listdir(DOCS)]  # "docs/" the folder's own entry


@unittest.skipUnless(PACKAGE, "FIVEFOLD_PACKAGE names the zip")
class WindowsPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        with zipfile.ZipFile(PACKAGE) as package:
            cls.names = package.namelist()
            package.extractall(cls.folder.name)
        cls.programs = os.path.join(cls.folder.name, FOLDER)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_holds_both_programs_and_the_documents_in_one_folder(self):
        self.assertEqual(os.path.basename(PACKAGE), FOLDER + ".zip")
        self.assertEqual(sorted(self.names), sorted(f"{FOLDER}/{name}" for name in FILES))
        with open(os.path.join(self.programs, "LICENSE")) as licence:
            self.assertRegex(licence.read(), r"^MIT License\n\nCopyright \(c\) \d{4} Fivefold team")
        for program in FILES[:2]:
            header = subprocess.run([os.environ["FIVEFOLD_OBJDUMP"], "-p",
                                     os.path.join(self.programs, program)],
                                    capture_output=True, text=True, check=True).stdout
            self.assertEqual(problems(header, int(os.environ["FIVEFOLD_STACK_BYTES"])), [], program)

    def test_unpacked_brain_plays_under_wine(self):
        exe = os.path.join(self.programs, "pbrain-fivefold.exe")
        os.environ["FIVEFOLD_BRAIN"] = shlex.join([os.environ["FIVEFOLD_WINE"], exe])
        brain = Brain()
        self.addCleanup(brain.kill)
        brain.send(b"ABOUT\r\nSTART 15\r\nBEGIN\r\n")
        self.assertEqual([brain.next_line() for _ in range(3)], [ABOUT_LINE, b"OK\n", b"7,7\n"])
        # A searched move, held to the first iteration by a depth limit.
        brain.send(b"INFO timeout_turn 1000000\r\nINFO max_depth 6\r\n"
                   b"BOARD\r\n7,7,1\r\n8,7,2\r\n7,8,2\r\n8,8,1\r\nDONE\r\n")
        self.assertRegex(brain.next_line(), rb"^MESSAGE AB: D:6 E:-?\d+ F:L S:\d+\n$")
        self.assertIsNotNone(MOVE_LINE.match(brain.next_line()))
        brain.send(b"END\r\n")
        self.assertEqual(brain.remaining_lines(), [])
        self.assertEqual(brain.exit_status(), 0)


if __name__ == "__main__":
    unittest.main()
