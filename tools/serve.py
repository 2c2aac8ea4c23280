#!/usr/bin/env python3
"""The board in the browser: play the engine, watch two brains, replay a match file.

    python3 tools/serve.py                       # then open the address it prints
    python3 tools/serve.py --port 8080 --brain "other=path/to/other-brain"

Serves the page in tools/web/ and a small JSON API on 127.0.0.1. Without --engine the engine
is build/release/src/app/pbrain-fivefold, built first when missing or stale."""

import argparse
import json
import mimetypes
import os
import shlex
import signal
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import unquote, urlsplit

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from board import RULES  # noqa: E402
from brain import kill_all  # noqa: E402
from game import GameConfig  # noqa: E402
from match import command_name  # noqa: E402
from play import ROOT, ensure_brain  # noqa: E402
from web_games import (COLOURS, GameError, GameTable, PlayGame, WatchGame,  # noqa: E402
                       watch_opening)

PAGE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "web")
MAX_BODY = 16 * 1024  # bytes; every request of the page is far smaller
# An oversized body up to this size is read and dropped before the refusal, so that the
# client is not reset while it still sends.
DRAINED_BODY = 1 << 20
SIDES = (5, 20)
LIMITS = {  # a request's numbers: (smallest, largest, default)
    "width": (*SIDES, 15), "height": (*SIDES, 15), "time_ms": (50, 600000, 1000),
    "max_depth": (0, 100, 0), "max_node": (0, 10 ** 9, 0), "delay_ms": (0, 60000, 500),
    "brain": (0, 99, 0), "black": (0, 99, 0), "white": (0, 99, 0),
}
CHOICES = {"mode": ("play", "watch"), "human": tuple(COLOURS), "rule": RULES,
           "opening": ("builtin", "none")}


def number(body, name):
    low, high, default = LIMITS[name]
    value = body.get(name, default)
    if type(value) is not int or not low <= value <= high:
        raise GameError(400, "%s must be a whole number in %d..%d" % (name, low, high))
    return value


def choice(body, name):
    value = body.get(name, CHOICES[name][0])
    if value not in CHOICES[name]:
        raise GameError(400, "%s must be one of %s" % (name, ", ".join(CHOICES[name])))
    return value


def flag(body, name):
    value = body.get(name)
    if value is not None and type(value) is not bool:
        raise GameError(400, "%s must be true or false" % name)
    return value


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, brains, table):
        super().__init__(address, Handler)
        self.brains = brains  # [(name, command)]; the first is the engine
        self.table = table

    def brain(self, index):
        if index >= len(self.brains):
            raise GameError(400, "no brain %d: the server knows %d" % (index, len(self.brains)))
        return self.brains[index]

    def new_game(self, body):
        cfg = GameConfig(width=number(body, "width"), height=number(body, "height"),
                         rule=choice(body, "rule"), timeout_turn=number(body, "time_ms"),
                         tolerance=1000)
        if choice(body, "mode") == "play":
            name, command = self.brain(number(body, "brain"))
            # The brain is told the limits with the other INFO lines of its start.
            cfg.max_depth = number(body, "max_depth")
            cfg.max_nodes = number(body, "max_node")
            game = PlayGame(cfg, name, command, ROOT, choice(body, "human"))
        else:
            pair = [self.brain(number(body, side)) for side in ("black", "white")]
            names = [name for name, _ in pair]
            if names[0] == names[1]:
                names = ["%s %d" % (name, i) for i, name in enumerate(names, 1)]
            opening = watch_opening(choice(body, "opening"), cfg.width, cfg.height, cfg.rule)
            game = WatchGame(cfg, names, [command for _, command in pair], ROOT, opening,
                             number(body, "delay_ms"), bool(flag(body, "paused")))
        return self.table.add(game).state()


class Handler(BaseHTTPRequestHandler):
    server_version = "fivefold"
    timeout = 10  # seconds a client may stall in the middle of a request

    def log_request(self, code="-", size="-"):
        if isinstance(code, int) and code >= 400:  # the page polls: log only refusals
            super().log_request(code, size)

    def send_json(self, status, value):
        body = json.dumps(value).encode()
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def refuse(self, status, reason):
        self.send_json(status, {"error": reason})

    def body(self):
        """The request's JSON object; raises GameError for anything else."""
        if self.headers.get_content_type() != "application/json":
            raise GameError(415, "send the request as application/json")
        try:
            length = int(self.headers.get("Content-Length", "0"))
        except ValueError:
            raise GameError(400, "unreadable Content-Length") from None
        if length > MAX_BODY or length < 0:
            if length <= DRAINED_BODY:
                self.rfile.read(length)
            self.close_connection = True
            raise GameError(413, "the request is over %d bytes" % MAX_BODY)
        try:
            value = json.loads(self.rfile.read(length) or b"{}")
        except (UnicodeDecodeError, ValueError) as error:
            raise GameError(400, "malformed JSON: %s" % str(error).splitlines()[0]) from None
        if not isinstance(value, dict):
            raise GameError(400, "the request must be a JSON object")
        return value

    def route(self, method):
        """Runs the request; every refusal is one GameError."""
        path = unquote(urlsplit(self.path).path)
        parts = path.strip("/").split("/")
        if parts[0] != "api":
            if method != "GET":
                raise GameError(405, "only GET reaches the page's files")
            return self.send_file(path)
        table = self.server.table
        if parts[1:] == ["brains"] and method == "GET":
            names = [name for name, _ in self.server.brains]
            return self.send_json(200, {"brains": names, "sides": SIDES,
                                        "max_games": table.max_games})
        if parts[1:] == ["games"] and method == "POST":
            return self.send_json(201, self.server.new_game(self.body()))
        if len(parts) < 3 or len(parts) > 4 or parts[1] != "games":
            raise GameError(404, "no such API path: %s" % path[:80])
        game = table.get(parts[2])
        if len(parts) == 3 and method == "GET":
            return self.send_json(200, game.state())
        if len(parts) == 3 and method == "DELETE":
            table.remove(game.id)
            return self.send_json(200, {"closed": game.id})
        if len(parts) == 3 or method != "POST":
            raise GameError(405, "%s is not allowed here" % method)
        self.act(game, parts[3], self.body())
        self.send_json(200, game.state())

    @staticmethod
    def act(game, action, body):
        actions = {"play": ("move", "takeback", "resign"), "watch": ("pace",)}[game.mode]
        if action not in actions:
            raise GameError(404, "a %s game has no action %r; it has %s" % (
                game.mode, action[:40], ", ".join(actions)))
        if action == "move":
            x, y = body.get("x"), body.get("y")
            if type(x) is not int or type(y) is not int:
                raise GameError(400, "a move needs whole numbers x and y")
            game.move(x, y)
        elif action == "takeback":
            game.take_back()
        elif action == "resign":
            game.resign()
        else:
            delay = number(body, "delay_ms") if "delay_ms" in body else None
            game.pace(flag(body, "paused"), delay, bool(flag(body, "step")))

    def send_file(self, path):
        if "\0" in path:
            raise GameError(400, "a NUL byte in the path")
        full = os.path.realpath(os.path.join(PAGE, path.lstrip("/") or "index.html"))
        if os.path.commonpath([full, PAGE]) != PAGE:
            raise GameError(403, "outside the page's folder")
        if not os.path.isfile(full):
            raise GameError(404, "no such file: %s" % path[:80])
        with open(full, "rb") as f:
            content = f.read()
        self.send_response(200)
        self.send_header("Content-Type", mimetypes.guess_type(full)[0] or "text/plain")
        self.send_header("Content-Length", str(len(content)))
        self.end_headers()
        self.wfile.write(content)

    def handle_method(self, method):
        try:
            self.route(method)
        except GameError as error:
            self.refuse(error.status, error.reason)
        except ConnectionError:  # the client left
            self.close_connection = True
        except Exception as error:  # a fault of ours: this request fails, the server goes on
            self.log_error("%s %s: %r", method, self.path[:80], error)
            self.refuse(500, "internal error: %s" % str(error).splitlines()[0][:200])

    def do_GET(self):
        self.handle_method("GET")

    def do_POST(self):
        self.handle_method("POST")

    def do_DELETE(self):
        self.handle_method("DELETE")


def brain_list(args):
    """[(name, command)]: the engine first, then every --brain ("name=command" or a command,
    named after its program)."""
    brains = [("fivefold", args.engine or shlex.quote(ensure_brain()))]
    for text in args.brain or []:
        name, equals, command = text.partition("=")
        if not equals or " " in name:
            name, command = command_name(text), text
        brains.append((name, command))
    return brains


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
    args = arguments(argv)
    brains = brain_list(args)
    if args.host not in ("127.0.0.1", "localhost"):
        sys.stderr.write("warning: listening on %s: anyone who reaches this address can start"
                         " brains on this machine\n" % args.host)
    table = GameTable(args.max_games, args.idle)
    server = Server((args.host, args.port), brains, table)

    def interrupt(signum, frame):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, interrupt)  # a terminated server still kills its brains
    host, port = server.server_address[:2]
    print("open http://%s:%d/" % (host, port), flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        table.close_all()
        kill_all()
        server.server_close()


if __name__ == "__main__":
    main()
