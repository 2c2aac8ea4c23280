"""The repository's places (its root, the page's folder) and the release brain, built with
the release preset when it is missing or older than its sources."""

import json
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# The page's files; the tables it shares with the tools are JSON files there.
PAGE = os.path.join(ROOT, "tools", "web")
BRAIN = os.path.join("build", "release", "src", "app", "pbrain-fivefold")
# The static site the wasm preset builds: the page with the engine in WebAssembly beside it.
SITE = os.path.join(ROOT, "build", "wasm", "site")


def page_table(name):
    """One of the JSON tables the tools share with the page."""
    with open(os.path.join(PAGE, name)) as f:
        return json.load(f)


def newest_source(root):
    """mtime of the newest file the release brain is built from."""
    newest = max(os.path.getmtime(os.path.join(root, f))
                 for f in ("CMakeLists.txt", "CMakePresets.json"))
    for folder, _, files in os.walk(os.path.join(root, "src")):
        newest = max([newest] + [os.path.getmtime(os.path.join(folder, f)) for f in files])
    return newest


def ensure_brain(root=ROOT):
    """The path of the release brain, built first when missing or stale."""
    path = os.path.join(root, BRAIN)
    if os.path.exists(path) and os.path.getmtime(path) >= newest_source(root):
        return path
    sys.stderr.write("building the release brain...\n")
    for step in (["cmake", "--preset", "release"], ["cmake", "--build", "--preset", "release"]):
        run = subprocess.run(step, cwd=root, capture_output=True, text=True)
        if run.returncode:
            sys.exit(run.stdout + run.stderr + "\n%s failed" % " ".join(step))
    return path
