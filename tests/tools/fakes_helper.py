"""What the tool tests share: fake brain commands and a small, fast game configuration. The
tests import the tools' package (fivefold_tools) from the PYTHONPATH their environment sets."""

import os
import shlex
import sys

from fivefold_tools.manager.game import GameConfig

HERE = os.path.dirname(os.path.abspath(__file__))


def fake(name, *args):
    """The command line of a fake brain from fakes/."""
    path = os.path.join(HERE, "fakes", name + "_brain.py")
    return shlex.join([sys.executable, path, *map(str, args)])


def fast_config(**changes):
    settings = dict(timeout_turn=300, tolerance=150, start_timeout=5000, end_grace=0.2)
    settings.update(changes)
    return GameConfig(**settings)


def process_alive(pid):
    """True while the process exists and is not a zombie."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def read_lines(path):
    with open(path) as f:
        return f.read().splitlines()
