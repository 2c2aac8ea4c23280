"""The Linux tarball as people download it: its files, programs that need no C++ or GCC
run-time library of the machine, and the brain unpacked from it playing a game.

Environment: FIVEFOLD_TARBALL the tarball (the release build's package target makes it)."""

import os
import shutil
import subprocess
import tarfile
import tempfile
import unittest

from fakes_helper import HERE, fake, fast_config

from fivefold_tools.manager.game import LIMITED_TIMEOUT_TURN
from fivefold_tools.manager.runner import run_match

TARBALL = os.environ.get("FIVEFOLD_TARBALL", "")
FILES = ["bin/pbrain-fivefold", "bin/fivefold-bench", "share/doc/fivefold/README.md",
         "share/doc/fivefold/LICENSE"] + ["share/doc/fivefold/docs/" + name for name in
                                          os.listdir(os.path.join(HERE, "..", "..", "docs"))]


@unittest.skipUnless(TARBALL, "FIVEFOLD_TARBALL names the tarball")
class LinuxPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not os.path.exists(TARBALL):
            raise AssertionError("%s is missing: build the package target first" % TARBALL)
        cls.folder = tempfile.TemporaryDirectory()
        with tarfile.open(TARBALL) as package:
            cls.names = [m.name for m in package.getmembers() if m.isfile()]
            # Only plain files and folders (interpreters older than the extraction filters
            # have none to ask for).
            safe = {"filter": "data"} if hasattr(tarfile, "data_filter") else {}
            package.extractall(cls.folder.name, **safe)
        cls.top = os.path.join(cls.folder.name, os.path.basename(TARBALL)[:-len(".tar.gz")])

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_programs_carry_their_run_time_libraries(self):
        top = os.path.basename(self.top)
        self.assertEqual(sorted(self.names), sorted("%s/%s" % (top, f) for f in FILES))
        readelf = shutil.which("readelf")
        self.assertIsNotNone(readelf, "binutils' readelf is needed")
        for program in FILES[:2]:
            dynamic = subprocess.run([readelf, "-d", os.path.join(self.top, program)],
                                     capture_output=True, text=True, check=True).stdout
            needed = [line.split("[")[1].rstrip("]") for line in dynamic.splitlines()
                      if "(NEEDED)" in line]
            self.assertIn("libc.so.6", needed)
            self.assertEqual([n for n in needed if n.startswith(("libstdc++", "libgcc"))], [],
                             program)

    def test_unpacked_brain_beats_the_random_mover(self):
        brain = os.path.join(self.top, "bin", "pbrain-fivefold")
        cfg = fast_config(timeout_turn=LIMITED_TIMEOUT_TURN, max_nodes=2000)
        (record,) = run_match([brain, fake("random")], ["fivefold", "random"], cfg,
                              [[(7, 7), (8, 8)]], 1)
        self.assertEqual((record["reason"], record["winner_name"]), ("five", "fivefold"), record)


if __name__ == "__main__":
    unittest.main()
