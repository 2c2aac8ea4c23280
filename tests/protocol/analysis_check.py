"""The analysis of YXNBEST held to the search, from outside: what a brain (native or
WebAssembly) says about a few positions with YXNBEST 3 and 10 and without it. Used by
test_analysis.py for the native brain and by tests/wasm for the WebAssembly ones."""

import re

from brain import MOVE, Session

NBEST = re.compile(r"MESSAGE NBEST D:(\d+) K:(\d+) E:(<=)?(-?\d+) L:((?:\d+,\d+ ?)+)")
RATE = re.compile(r" S:-?\d+$")
SETTINGS = ["INFO timeout_turn 1000000", "INFO max_depth 8"]
# Own stones 1 (the side to move), the opponent's 2, on 15 x 15: a quiet middle game, a four of
# the opponent's to block, and two crossing closed threes of ours that win.
POSITIONS = {
    "quiet": ["7,7,1", "8,8,2", "7,8,1", "8,7,2", "6,6,1", "9,9,2"],
    "block": ["6,6,2", "7,7,2", "8,8,2", "9,9,2", "5,5,1", "6,8,1", "7,8,1", "9,6,1"],
    "win": ["4,10,2", "5,10,1", "6,10,1", "7,10,1", "8,14,2", "8,11,1", "8,12,1", "8,13,1",
            "10,12,2", "11,11,2"],
}


def turn(command, stones, *settings):
    """The lines of one turn on a fresh brain's 15 x 15 board after the settings: its
    MESSAGE lines (search rates taken out) and the move line last."""
    brain = Session(command)
    try:
        brain.send(*SETTINGS, *settings, "START 15", "BOARD", *stones, "DONE")
        lines = []
        while not lines or not MOVE.fullmatch(lines[-1]):
            line = brain.read_line(timeout=120, skip_messages=False)
            if line is None:
                raise AssertionError("the brain ended; it wrote %s" % lines)
            if line != "OK":
                lines.append(RATE.sub(" S:", line))
        brain.send("END")
        brain.wait()
        return lines
    finally:
        brain.close()


def reports(lines):
    """{(depth, move): (score, exact, rank, line)} and the depths in order."""
    found, depths = {}, []
    for line in lines:
        m = NBEST.fullmatch(line)
        if not m:
            continue
        depth, rank, bound, score, squares = m.groups()
        line_squares = [tuple(map(int, word.split(","))) for word in squares.split()]
        if rank == "1":
            depths.append(int(depth))
        found[(int(depth), line_squares[0])] = (int(score), not bound, int(rank), line_squares)
    return found, depths


def check_analysis(case, command):
    """Asserts through the TestCase, for the brain command (a list), on every position."""
    for name, stones in POSITIONS.items():
        with case.subTest(position=name):
            plain = turn(command, stones)
            full, three = turn(command, stones, "YXNBEST 10"), turn(command, stones, "YXNBEST 3")
            # Asked for nothing (or for none), the brain says what it always said.
            case.assertEqual(plain, turn(command, stones, "YXNBEST 2", "YXNBEST 0"))
            case.assertFalse([line for line in plain if "NBEST" in line])
            exact, depths = reports(full)
            case.assertTrue(depths, full)
            taken = {tuple(map(int, stone.split(",")[:2])) for stone in stones}
            for lines in (full, three):
                found, order = reports(lines)
                case.assertEqual(len(found), len([ln for ln in lines if "NBEST" in ln]))
                for (depth, move), (score, is_exact, rank, line) in found.items():
                    # A legal line: distinct empty squares of the board.
                    case.assertEqual(len(set(line)), len(line), line)
                    case.assertFalse(set(line) & taken, line)
                    case.assertTrue(all(0 <= x < 15 and 0 <= y < 15 for x, y in line), line)
                    # Searched alone with the whole window (YXNBEST 10) the move scores the same,
                    # or no more than its bound.
                    if depth in depths and (depth, move) in exact and lines is three:
                        whole = exact[(depth, move)]
                        case.assertTrue(whole[1])
                        if is_exact:
                            case.assertEqual(score, whole[0], (depth, move))
                        else:
                            case.assertLessEqual(whole[0], score, (depth, move))
                # The deepest report's best line starts with the move played.
                best = [key for key, value in found.items() if key[0] == order[-1] and
                        value[2] == 1]
                case.assertEqual([(order[-1], tuple(map(int, lines[-1].split(","))))], best)
            # Every move of the full report is exact.
            case.assertTrue(all(value[1] for value in exact.values()))
