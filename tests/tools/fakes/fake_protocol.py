"""The protocol loop shared by the test brains: it keeps the position and asks a choose
function for the line to print whenever a move is wanted."""

import random
import sys


class State:
    def __init__(self):
        self.width = self.height = 20
        self.stones = {}  # (x, y) -> 1 own, 2 opponent
        self.timeout_turn = 1000
        self.rule = 1  # INFO rule
        self.moves = 0
        self.rng = random.Random()


def random_square(state):
    free = [(x, y) for x in range(state.width) for y in range(state.height)
            if (x, y) not in state.stones]
    return state.rng.choice(free)


def reply(line):
    sys.stdout.write(line + "\n")
    sys.stdout.flush()


def move(state, choose):
    line = choose(state)
    if line is None:
        return
    parts = line.split(",")
    if len(parts) == 2 and all(p.strip().lstrip("-").isdigit() for p in parts):
        state.stones[(int(parts[0]), int(parts[1]))] = 1
    state.moves += 1
    reply(line)


def run(choose, log=None):
    """Answers the manager until END or end of input; log, when given, is a file path that
    receives every line read."""
    state = State()
    for line in iter(sys.stdin.readline, ""):
        if log:
            with open(log, "a") as f:
                f.write(line)
        words = line.replace(",", " ").split()
        command = words[0].upper() if words else ""
        if command in ("START", "RECTSTART"):
            state.width, state.height = int(words[1]), int(words[-1])
            state.stones = {}
            reply("OK")
        elif command == "INFO" and len(words) == 3 and words[1] in ("timeout_turn", "rule"):
            setattr(state, words[1], int(words[2]))
        elif command == "BEGIN":
            move(state, choose)
        elif command == "TURN":
            state.stones[(int(words[1]), int(words[2]))] = 2
            move(state, choose)
        elif command == "BOARD":
            for stone in iter(sys.stdin.readline, ""):
                if log:
                    with open(log, "a") as f:
                        f.write(stone)
                if stone.strip().upper() == "DONE":
                    break
                x, y, who = (int(v) for v in stone.split(","))
                state.stones[(x, y)] = who
            move(state, choose)
        elif command == "END":
            return
        elif command != "INFO":
            reply("UNKNOWN command")
