#!/usr/bin/env python3
"""The board in the browser: play the engine, watch two brains, replay a match file.

    python3 tools/serve.py                       # then open the address it prints
    python3 tools/serve.py --port 8080 --brain "other=path/to/other-brain"

Serves the page in tools/web/ and a small JSON API on 127.0.0.1; with the static site built
(build/wasm/site) the page runs Fivefold itself in the browser. Without --engine the engine
is build/release/src/app/pbrain-fivefold, built first when missing or stale."""

import argparse

from fivefold_tools.server.http import serve


def arguments(argv):
    p = argparse.ArgumentParser(description="Serves the board in the browser.")
    p.add_argument("--port", type=int, default=8015, help="default 8015; 0 picks a free one")
    p.add_argument("--host", default="127.0.0.1",
                   help="address to listen on (default 127.0.0.1: this machine only)")
    p.add_argument("--engine", help="the engine's command line (default: the release build)")
    p.add_argument("--brain", action="append",
                   help='another brain to watch or play: "name=command" (repeatable)')
    p.add_argument("--max-games", type=int, default=4, help="games running at once")
    # A hidden tab's timers may fire only once a minute: the default leaves room for that.
    p.add_argument("--idle", type=float, default=120,
                   help="seconds without a request from a game's page before it is ended")
    return p.parse_args(argv)


def main(argv=None):
    serve(arguments(argv))


if __name__ == "__main__":
    main()
