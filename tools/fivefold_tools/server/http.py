"""The board server's HTTP layer: the page's files from tools/web/ (and the in-page engine's
from the built static site, when there is one) and a small JSON API over the games
(server.games). The games refuse requests with errors of the game; only here do
they become HTTP status codes."""

import json
import mimetypes
import os
import shlex
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import unquote, urlsplit

from fivefold_tools.build import PAGE, ROOT, SITE, ensure_brain
from fivefold_tools.manager.brain import interrupt_on_terminate, kill_all
from fivefold_tools.manager.game import GameConfig
from fivefold_tools.manager.runner import command_name
from fivefold_tools.rules.board import MAX_SIDE, MIN_SIDE, RULES
from fivefold_tools.server.games import (COLOURS, GameError, GameTable, PlayGame, WatchGame,
                                         watch_opening)

# The status of each kind of GameError.
STATUS = {"conflict": 409, "unavailable": 503, "not-found": 404, "bad-request": 400}
# The folders of the files sent, the first that holds a file wins: the page's own, then the
# built site for the in-page engine's files. A file sent must lie within one of them.
SERVED = [os.path.realpath(PAGE), os.path.realpath(SITE)]
MAX_BODY = 16 * 1024  # bytes; every request of the page is far smaller
# An oversized body up to this size is read and dropped before the refusal, so that the
# client is not reset while it still sends.
DRAINED_BODY = 1 << 20
SIDES = (MIN_SIDE, MAX_SIDE)
LIMITS = {  # a request's numbers: (smallest, largest, default)
    "width": (*SIDES, 15), "height": (*SIDES, 15), "time_ms": (50, 600000, 1000),
    "max_depth": (0, 100, 0), "max_node": (0, 10 ** 9, 0), "delay_ms": (0, 60000, 500),
    "brain": (0, 99, 0), "black": (0, 99, 0), "white": (0, 99, 0),
}
CHOICES = {"mode": ("play", "watch"), "human": tuple(COLOURS), "rule": RULES,
           "opening": ("builtin", "none")}


class Refusal(Exception):
    """A request refused before it reaches a game: the HTTP status and a one-line reason."""

    def __init__(self, status, reason):
        super().__init__(reason)
        self.status = status
        self.reason = reason


def number(body, name):
    low, high, default = LIMITS[name]
    value = body.get(name, default)
    if type(value) is not int or not low <= value <= high:
        raise Refusal(400, "%s must be a whole number in %d..%d" % (name, low, high))
    return value


def choice(body, name):
    value = body.get(name, CHOICES[name][0])
    if value not in CHOICES[name]:
        raise Refusal(400, "%s must be one of %s" % (name, ", ".join(CHOICES[name])))
    return value


def flag(body, name):
    value = body.get(name)
    if value is not None and type(value) is not bool:
        raise Refusal(400, "%s must be true or false" % name)
    return value


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, brains, table):
        super().__init__(address, Handler)
        self.brains = brains  # [(name, command)]; the first is the engine
        self.table = table

    def brain(self, index):
        if index >= len(self.brains):
            raise Refusal(400, "no brain %d: the server knows %d" % (index, len(self.brains)))
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
        """The request's JSON object; raises Refusal for anything else."""
        if self.headers.get_content_type() != "application/json":
            raise Refusal(415, "send the request as application/json")
        try:
            length = int(self.headers.get("Content-Length", "0"))
        except ValueError:
            raise Refusal(400, "unreadable Content-Length") from None
        if length > MAX_BODY or length < 0:
            if length <= DRAINED_BODY:
                self.rfile.read(length)
            self.close_connection = True
            raise Refusal(413, "the request is over %d bytes" % MAX_BODY)
        try:
            value = json.loads(self.rfile.read(length) or b"{}")
        except (UnicodeDecodeError, ValueError) as error:
            raise Refusal(400, "malformed JSON: %s" % str(error).splitlines()[0]) from None
        if not isinstance(value, dict):
            raise Refusal(400, "the request must be a JSON object")
        return value

    def route(self, method):
        """Runs the request; every refusal is a Refusal or a GameError."""
        path = unquote(urlsplit(self.path).path)
        parts = path.strip("/").split("/")
        if parts[0] != "api":
            if method != "GET":
                raise Refusal(405, "only GET reaches the page's files")
            return self.send_file(path)
        table = self.server.table
        if parts[1:] == ["brains"] and method == "GET":
            names = [name for name, _ in self.server.brains]
            return self.send_json(200, {"brains": names, "sides": SIDES,
                                        "max_games": table.max_games})
        if parts[1:] == ["games"] and method == "POST":
            return self.send_json(201, self.server.new_game(self.body()))
        if len(parts) < 3 or len(parts) > 4 or parts[1] != "games":
            raise Refusal(404, "no such API path: %s" % path[:80])
        game = table.get(parts[2])
        if len(parts) == 3 and method == "GET":
            return self.send_json(200, game.state())
        if len(parts) == 3 and method == "DELETE":
            table.remove(game.id)
            return self.send_json(200, {"closed": game.id})
        if len(parts) == 3 or method != "POST":
            raise Refusal(405, "%s is not allowed here" % method)
        self.act(game, parts[3], self.body())
        self.send_json(200, game.state())

    @staticmethod
    def act(game, action, body):
        actions = {"play": ("move", "takeback", "resign"), "watch": ("pace",)}[game.mode]
        if action not in actions:
            raise Refusal(404, "a %s game has no action %r; it has %s" % (
                game.mode, action[:40], ", ".join(actions)))
        if action == "move":
            x, y = body.get("x"), body.get("y")
            if type(x) is not int or type(y) is not int:
                raise Refusal(400, "a move needs whole numbers x and y")
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
            raise Refusal(400, "a NUL byte in the path")
        for folder in SERVED:
            full = os.path.realpath(os.path.join(folder, path.lstrip("/") or "index.html"))
            if os.path.commonpath([full, folder]) != folder:
                raise Refusal(403, "outside the page's folder")
            if os.path.isfile(full):
                break
        else:
            raise Refusal(404, "no such file: %s" % path[:80])
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
        except Refusal as error:
            self.refuse(error.status, error.reason)
        except GameError as error:
            self.refuse(STATUS[error.kind], error.reason)
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


def serve(args):
    """Serves the page and its games as tools/serve.py's options ask, until interrupted or
    terminated; then every game and brain ends."""
    brains = brain_list(args)
    if args.host not in ("127.0.0.1", "localhost"):
        sys.stderr.write("warning: listening on %s: anyone who reaches this address can start"
                         " brains on this machine\n" % args.host)
    table = GameTable(args.max_games, args.idle)
    server = Server((args.host, args.port), brains, table)

    interrupt_on_terminate()  # a terminated server still kills its brains
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
