"""The manager's side of the brain protocol: a brain as a child process, every read bounded
by a deadline, and a stuck brain killed with its whole process group."""

import os
import queue
import shlex
import signal
import subprocess
import threading
import time
from dataclasses import dataclass, field

from fivefold_tools.rules.board import INFO_RULE, parse_move_line

# Prefixes of the lines a brain may print besides its moves; they never end a game.
INFO_PREFIXES = ("MESSAGE", "DEBUG", "ERROR", "UNKNOWN")
# The info lines that answer a command which expects OK.
REFUSALS = ("ERROR", "UNKNOWN")
MAX_LINE = 1 << 16

# Every brain process still running, so that an interrupted match can kill them all.
_live = set()
_live_lock = threading.Lock()


def kill_all():
    with _live_lock:
        processes = list(_live)
    for process in processes:
        process.kill()


def interrupt_on_terminate():
    """SIGTERM ends the program as Ctrl-C does, so that its cleanup still kills the brains."""

    def interrupt(signum, frame):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, interrupt)


class BrainProcess:
    """One child process: lines written to stdin, stdout lines queued by a reader thread
    with the time they arrived."""

    def __init__(self, command, cwd=None):
        self.proc = subprocess.Popen(
            shlex.split(command),
            stdin=subprocess.PIPE,
            stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL,
            start_new_session=True,  # its own process group, so that kill reaches its children
            cwd=cwd,
        )
        self.lines = queue.Queue()
        self.killed = False
        with _live_lock:
            _live.add(self)
        threading.Thread(target=self._read, daemon=True).start()

    @property
    def pid(self):
        return self.proc.pid

    def _read(self):
        for raw in iter(lambda: self.proc.stdout.readline(MAX_LINE), b""):
            self.lines.put((time.monotonic(), raw.decode("utf-8", "replace").rstrip("\r\n")))
        self.lines.put((time.monotonic(), None))

    def send(self, *lines):
        """False when the brain no longer reads its input."""
        try:
            self.proc.stdin.write("".join(line + "\n" for line in lines).encode())
            self.proc.stdin.flush()
            return True
        except (OSError, ValueError):
            return False

    def read_line(self, deadline):
        """(arrival time, line) with line None at end of output; None when the deadline passes."""
        try:
            return self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
        except queue.Empty:
            return None

    def pending_lines(self):
        while True:
            try:
                yield self.lines.get_nowait()
            except queue.Empty:
                return

    def exit_status(self, wait_s=0.0):
        """The exit status once the process has ended (without reaping it, so that its pid
        and group id stay ours until kill), or None while it runs."""
        end = time.monotonic() + wait_s
        while True:
            try:
                info = os.waitid(os.P_PID, self.pid, os.WEXITED | os.WNOHANG | os.WNOWAIT)
            except ChildProcessError:
                return self.proc.returncode
            if info is not None:
                return -info.si_status if info.si_code != os.CLD_EXITED else info.si_status
            if time.monotonic() >= end:
                return None
            time.sleep(0.01)

    def kill(self):
        if self.killed:
            return
        self.killed = True
        try:
            os.killpg(self.pid, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            pass
        self.proc.wait()
        for stream in (self.proc.stdin, self.proc.stdout):
            try:
                stream.close()
            except OSError:
                pass
        with _live_lock:
            _live.discard(self)

    def close(self, grace_s):
        """END, a short wait for the brain to leave by itself, then the kill of its group."""
        if self.exit_status() is None and self.send("END"):
            self.exit_status(grace_s)
        self.kill()


@dataclass
class Reply:
    """A player's answer to a move request. failure names why the player loses instead:
    start_failed, time_forfeit, crash, garbage or resigned (refused: a TAKEBACK not
    accepted)."""

    move: tuple = None
    ms: float = 0.0
    failure: str = None
    detail: str = ""
    messages: list = field(default_factory=list)


def request_lines(request):
    """The protocol lines of a move request: BEGIN, TURN x,y or BOARD ... DONE."""
    if request["kind"] == "begin":
        return ["BEGIN"]
    if request["kind"] == "turn":
        return ["TURN %d,%d" % request["move"]]
    return ["BOARD"] + ["%d,%d,%d" % stone for stone in request["stones"]] + ["DONE"]


def info_lines(cfg):
    lines = ["INFO timeout_turn %d" % cfg.timeout_turn]
    if cfg.timeout_match:
        lines.append("INFO timeout_match %d" % cfg.timeout_match)
    lines += ["INFO game_type 1", "INFO rule %d" % INFO_RULE[cfg.rule]]
    if cfg.max_depth > 0:
        lines.append("INFO max_depth %d" % cfg.max_depth)
    if cfg.max_nodes > 0:
        lines.append("INFO max_node %d" % cfg.max_nodes)
    return lines


def is_info_line(line):
    return line.upper().startswith(INFO_PREFIXES)


class BrainPlayer:
    """A brain command as one side of one game; a fresh process per game."""

    def __init__(self, name, command, cwd=None, limits=None):
        self.name = name
        self.command = command
        self.cwd = cwd
        self.limits = limits or {}  # a playing level's limits (manager.game.side_config)
        self.process = None

    def start(self, cfg):
        """None when the brain has accepted the board and the settings, else a failed Reply."""
        try:
            self.process = BrainProcess(self.command, self.cwd)
        except (OSError, ValueError) as error:
            return Reply(failure="start_failed", detail=str(error))
        if cfg.width == cfg.height:
            self.process.send("START %d" % cfg.width)
        else:
            self.process.send("RECTSTART %d,%d" % (cfg.width, cfg.height))
        messages = []
        line = self._await_ok(time.monotonic() + cfg.start_timeout / 1000, messages)
        if line != "OK":
            detail = repr(line) if line else "no OK after START"
            return Reply(failure="start_failed", detail=detail, messages=messages)
        self.process.send(*info_lines(cfg))
        return None

    def _await_ok(self, deadline, messages):
        """"OK" once the brain has answered OK; otherwise the line it gave instead, or None
        for no line in time or the end of its output. MESSAGE and DEBUG lines go to
        messages; ERROR and UNKNOWN lines are answers."""
        while True:
            item = self.process.read_line(deadline)
            line = item and item[1]
            if line is not None and line.strip().upper() == "OK":
                return "OK"
            if line is None or not is_info_line(line) or line.upper().startswith(REFUSALS):
                return line
            messages.append(line)

    def take_back(self, x, y, limit_ms):
        """TAKEBACK x,y. None once the brain has answered OK, else a failed Reply: refused
        (the line it gave instead), crash or time_forfeit."""
        messages = []
        self.process.send("TAKEBACK %d,%d" % (x, y))
        line = self._await_ok(time.monotonic() + limit_ms / 1000, messages)
        if line == "OK":
            return None
        if line is not None:
            return Reply(failure="refused", detail=line[:200], messages=messages)
        if self.process.exit_status(0.2) is not None:
            return self._crashed(0.0, messages)
        return Reply(failure="time_forfeit", detail="no OK after TAKEBACK", messages=messages)

    def ask_move(self, request, limit_ms, tolerance_ms, time_left=None, board=None):
        """Sends the request and waits at most limit + tolerance for the move line."""
        messages = []
        for _, line in self.process.pending_lines():  # printed since its last move
            if line is None:
                return self._crashed(0.0, messages)
            if (line.strip() and not is_info_line(line)) or parse_move_line(line):
                return Reply(failure="garbage", detail="between moves: " + line[:200],
                             messages=messages)
            if line.strip():
                messages.append(line)
        lines = request_lines(request)
        if time_left is not None:
            lines.insert(0, "INFO time_left %d" % max(0, time_left))
        sent = time.monotonic()  # before the write: a fast brain may answer before it returns
        self.process.send(*lines)
        return self._await_move(sent, (limit_ms + tolerance_ms) / 1000, messages)

    def _crashed(self, ms, messages):
        detail = "exit status %s" % self.process.exit_status(0.5)
        return Reply(ms=ms, failure="crash", detail=detail, messages=messages)

    def _await_move(self, sent, allowed_s, messages):
        while True:
            item = self.process.read_line(sent + allowed_s)
            arrived, line = item or (time.monotonic(), "")
            ms = round((arrived - sent) * 1000, 1)
            if item is None or arrived - sent > allowed_s:
                return Reply(ms=ms, failure="time_forfeit", messages=messages)
            if line is None:
                return self._crashed(ms, messages)
            move = parse_move_line(line)
            if move:
                return Reply(move=move, ms=ms, messages=messages)
            if line.strip() and not is_info_line(line):
                return Reply(ms=ms, failure="garbage", detail=line[:200], messages=messages)
            if line.strip():
                messages.append(line)

    def close(self, grace_s=0.5):
        if self.process:
            self.process.close(grace_s)
