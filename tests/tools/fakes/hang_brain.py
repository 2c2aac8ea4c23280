"""Never answers a move request: it starts a child that sleeps, writes both pids to the
file given as argument, and sleeps itself."""

import os
import subprocess
import sys
import time

from fake_protocol import run


def choose(state):
    child = subprocess.Popen([sys.executable, "-c", "import time; time.sleep(600)"])
    with open(sys.argv[1], "w") as f:
        f.write("%d %d\n" % (os.getpid(), child.pid))
    time.sleep(600)


run(choose)
