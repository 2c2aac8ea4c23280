"""The games of the web page: a person against a brain, or two brains watched at a chosen
pace. Each game owns its brain processes and one thread that talks to them; a request
changes a game under its lock and hands brain work to that thread."""

import queue
import random
import secrets
import threading
import time

from fivefold_tools.manager.brain import BrainPlayer
from fivefold_tools.manager.game import (COLOUR_NAMES, finish, move_request, opening_position,
                                         play_game)
from fivefold_tools.rules.board import cell, is_full, mover, new_board, on_board, other, place
from fivefold_tools.rules.judge import foul_of, play_stone
from fivefold_tools.rules.openings import builtin_openings
from fivefold_tools.rules.outcome import LOSSES, outcome_text
from fivefold_tools.words.thinking import thoughts

COLOURS = {name: colour for colour, name in COLOUR_NAMES.items()}
TAKEBACK_MS = 2000  # for the brain's OK to a TAKEBACK


class GameError(Exception):
    """A request a game refuses: its kind and a one-line reason. The kinds: "conflict" (the
    game's state forbids it now), "unavailable" (as many games run as the table holds),
    "not-found" (no such game) and "bad-request" (the request itself is wrong)."""

    def __init__(self, kind, reason):
        super().__init__(reason)
        self.kind = kind
        self.reason = reason


class GameClosed(Exception):
    """Ends a watched game's thread when the game is closed under it."""


class Game:
    """What both kinds of game share: the stones, the result and the page's view of them."""

    mode = None

    def __init__(self, cfg, names, players, opening=()):
        self.id = secrets.token_hex(6)
        self.cfg = cfg
        self.names = names  # (black, white)
        self.players = players
        self.lock = threading.Condition()
        self.board, self.stones = opening_position(cfg.width, cfg.height, opening)
        self.record = None  # the finished game's record (game.finish)
        self.five = []
        self.thoughts = None
        self.closed = False
        self.last_seen = time.monotonic()

    @property
    def over(self):
        return self.record is not None or self.closed

    def start(self):
        threading.Thread(target=self._run, daemon=True).start()

    def _end(self, winner, reason, detail=""):
        """Records the result (under the lock) unless the game has one already."""
        if self.record is None:
            record = {"black": self.names[0], "white": self.names[1],
                      "size": [self.cfg.width, self.cfg.height], "rule": self.cfg.rule}
            self.record = finish(record, winner, reason, detail)
            self.lock.notify_all()

    def _place(self, x, y, colour):
        """Places a legal stone and ends the game on a five, a renju foul or a full board."""
        ending, five = play_stone(self.board, x, y, colour, self.cfg.rule)
        self.stones.append((x, y, colour))
        if five:
            self.five = [list(square) for square in five]
            self._end(colour, "five")
        elif ending:
            self._end(other(colour), ending, "%d,%d" % (x, y))
        elif is_full(self.board):
            self._end(None, "full_board")

    def _kill(self):
        for player in self.players:
            if player.process:
                player.process.kill()

    def close(self):
        """Ends the game now (the page went away, or the server stops) and kills its brains."""
        with self.lock:
            self.closed = True
            self.lock.notify_all()
        self._kill()

    def next_colour(self):
        return None if self.over else COLOUR_NAMES[mover(len(self.stones))]

    def state(self):
        with self.lock:
            record = self.record
            result = None
            if record:
                result = {key: record.get(key) for key in ("winner", "reason", "detail")}
                result["text"] = outcome_text(record)
            return {
                "id": self.id, "mode": self.mode, "width": self.cfg.width,
                "height": self.cfg.height, "rule": self.cfg.rule,
                "black": self.names[0], "white": self.names[1],
                "stones": [list(stone) for stone in self.stones], "next": self.next_colour(),
                "over": self.over, "result": result, "five": self.five,
                "thoughts": self.thoughts, "time_ms": self.cfg.timeout_turn,
                **self._own_state(),
            }

    def _own_state(self):
        return {}


class PlayGame(Game):
    """A person against one brain. The person's moves arrive as requests; the brain's are
    asked for on the game's thread."""

    mode = "play"

    def __init__(self, cfg, brain_name, command, cwd, human):
        self.human = COLOURS[human]
        self.engine = BrainPlayer(brain_name, command, cwd)
        names = ("you", brain_name) if self.human == 1 else (brain_name, "you")
        super().__init__(cfg, names, [self.engine])
        self.engine_colour = other(self.human)
        self.known = 0  # stones the brain knows of
        self.busy = True  # the brain has work: starting, a move or a takeback
        self.jobs = queue.Queue()

    def _run(self):
        failed = self.engine.start(self.cfg)
        with self.lock:
            if failed:
                self._end(self.human, failed.failure, failed.detail)
            elif self.engine_colour == 1:
                self.jobs.put(self._engine_move)
            else:
                self.busy = False
        while not self.over:
            job = self.jobs.get()
            if job is None:
                break
            job()
        if self.closed:
            self._kill()
        else:
            self.engine.close(self.cfg.end_grace)

    def _end(self, winner, reason, detail=""):
        super()._end(winner, reason, detail)
        self.jobs.put(None)  # the thread closes the brain

    def close(self):
        super().close()
        self.jobs.put(None)

    def _engine_move(self):
        with self.lock:
            request = move_request(self.stones, self.known, self.engine_colour)
        reply = self.engine.ask_move(request, self.cfg.timeout_turn, self.cfg.tolerance)
        with self.lock:
            if self.over:
                return
            if reply.failure:
                self._end(self.human, reply.failure, reply.detail)
                return
            x, y = reply.move
            if not on_board(self.board, x, y) or cell(self.board, x, y):
                reason = "off_board" if not on_board(self.board, x, y) else "occupied"
                self._end(self.human, reason, "%d,%d" % (x, y))
                return
            self.thoughts = thoughts(reply.messages, (x, y), COLOUR_NAMES[self.engine_colour],
                                     self.cfg.width, self.cfg.height)
            self._place(x, y, self.engine_colour)
            self.known = len(self.stones)
            self.busy = False

    def _take_back(self, squares):
        """Tells the brain the stones are gone; a brain that refuses gets the whole position
        with its next move request instead."""
        for x, y in squares:
            failed = self.engine.take_back(x, y, TAKEBACK_MS)
            if failed and failed.failure != "refused":
                with self.lock:
                    self._end(self.human, failed.failure, failed.detail)
                return
            if failed:
                break
        with self.lock:
            self.known = len(self.stones) if not failed else 0
            self.busy = False

    def _your_turn(self):
        """Raises the reason the person may not act now."""
        if self.over:
            raise GameError("conflict", "the game is over")
        if self.busy:
            raise GameError("conflict", "not your turn: %s is thinking" % self.engine.name)

    def move(self, x, y):
        with self.lock:
            self._your_turn()
            if not on_board(self.board, x, y):
                raise GameError("bad-request", "%d,%d is off the %dx%d board" % (
                    x, y, self.cfg.width, self.cfg.height))
            if cell(self.board, x, y):
                raise GameError("conflict", "%d,%d is taken" % (x, y))
            foul = foul_of(self.board, x, y, self.cfg.rule)
            if foul:
                raise GameError("conflict", "%d,%d is forbidden to black (%s)" % (
                    x, y, LOSSES[foul]))
            self._place(x, y, self.human)
            self.thoughts = None
            if not self.over:
                self.busy = True
                self.jobs.put(self._engine_move)

    def take_back(self):
        """Takes back the person's last move and the brain's answer to it."""
        with self.lock:
            self._your_turn()
            if len(self.stones) < 2:
                raise GameError("conflict", "no move of yours to take back")
            removed = [self.stones.pop()[:2], self.stones.pop()[:2]]
            self.board = new_board(self.cfg.width, self.cfg.height)
            for x, y, colour in self.stones:
                place(self.board, x, y, colour)
            self.thoughts = None
            self.busy = True
            self.jobs.put(lambda: self._take_back(removed))

    def resign(self):
        with self.lock:
            if self.over:
                raise GameError("conflict", "the game is over")
            self._end(self.engine_colour, "resigned")
        self._kill()  # it may be thinking

    def _own_state(self):
        return {"human": COLOUR_NAMES[self.human], "thinking": self.busy and not self.over,
                "limits": {"max_depth": self.cfg.max_depth, "max_node": self.cfg.max_nodes}}


class WatchGame(Game):
    """Two brains, played by game.play_game on the game's thread; after each move it waits
    for the chosen delay, or while paused for a step."""

    mode = "watch"

    def __init__(self, cfg, names, commands, cwd, opening, delay_ms, paused):
        players = [BrainPlayer(name, command, cwd) for name, command in zip(names, commands)]
        super().__init__(cfg, names, players, opening)
        self.opening = opening
        self.delay_ms = delay_ms
        self.paused = paused
        self.steps = 0

    def _run(self):
        try:
            record = play_game(self.players, self.cfg, self.opening, self._on_move)
        except GameClosed:
            return
        with self.lock:
            self.five = record.get("five", [])
            self.record = record

    def _on_move(self, board, stone, reply, five, ending):
        x, y, colour = stone
        with self.lock:
            if self.closed:
                raise GameClosed()
            self.stones.append(stone)
            self.thoughts = thoughts(reply.messages, (x, y), COLOUR_NAMES[colour],
                                     self.cfg.width, self.cfg.height)
            if ending:
                return
            shown = time.monotonic()
            while not self.closed:
                if self.steps:
                    self.steps -= 1
                    return
                wait = shown + self.delay_ms / 1000 - time.monotonic()
                if not self.paused and wait <= 0:
                    return
                self.lock.wait(None if self.paused else wait)
            raise GameClosed()

    def pace(self, paused=None, delay_ms=None, step=False):
        with self.lock:
            if self.over:
                raise GameError("conflict", "the game is over")
            if paused is not None:
                self.paused = paused
            if delay_ms is not None:
                self.delay_ms = delay_ms
            if step:
                self.steps += 1
            self.lock.notify_all()

    def _own_state(self):
        return {"paused": self.paused, "delay_ms": self.delay_ms}


def watch_opening(kind, width, height, rule):
    """A random built-in opening, or none."""
    if kind == "none":
        return []
    openings = builtin_openings(width, height, rule)
    return random.choice(openings) if openings else []


class GameTable:
    """The running games by id, at most max_games of them unfinished at once; a game whose
    page has sent no request for idle_s seconds is closed and forgotten."""

    def __init__(self, max_games, idle_s):
        self.max_games = max_games
        self.idle_s = idle_s
        self.games = {}
        self.lock = threading.Lock()
        self.stopped = threading.Event()
        threading.Thread(target=self._reap, daemon=True).start()

    def add(self, game):
        with self.lock:
            running = sum(not g.over for g in self.games.values())
            if running >= self.max_games:
                raise GameError("unavailable", "%d games are running, the most this server"
                                " plays at once; end one first" % running)
            self.games[game.id] = game
        game.start()
        return game

    def get(self, game_id):
        with self.lock:
            game = self.games.get(game_id)
        if game is None:
            raise GameError("not-found",
                            "no game %r (it ended or was never started)" % game_id[:40])
        game.last_seen = time.monotonic()
        return game

    def remove(self, game_id):
        game = self.get(game_id)
        with self.lock:
            self.games.pop(game_id, None)
        game.close()

    def _reap(self):
        while not self.stopped.wait(min(1.0, self.idle_s / 4)):
            now = time.monotonic()
            with self.lock:
                idle = [g for g in self.games.values() if now - g.last_seen > self.idle_s]
                for game in idle:
                    del self.games[game.id]
            for game in idle:
                game.close()

    def close_all(self):
        self.stopped.set()
        with self.lock:
            games, self.games = list(self.games.values()), {}
        for game in games:
            game.close()
