"""A game's review: the engine's score of the position after every stone of a record, at a
depth or node budget, with how far each stone swung the evaluation against its player and
the largest swings marked. The page's Review gives the same numbers (tools/web/analysis.js).
A position whose search finished no depth within the budget has no score (None): it keeps
the value of the position before it.

Each position is asked of one brain process with YXNBEST 1 as BOARD (the side to move's
stones as 1); a position the last stone ended is scored without asking: the winner's five
(or the other side's renju foul) as +-1000000 from its side, a full board as 0."""

import csv
import json

from fivefold_tools.manager.brain import BrainPlayer
from fivefold_tools.manager.game import LIMITED_TIMEOUT_TURN, GameConfig, move_request
from fivefold_tools.rules.board import BLACK, WHITE, is_full, mover, new_board
from fivefold_tools.rules.game_record import record_stones
from fivefold_tools.rules.judge import play_stone
from fivefold_tools.words.analysis import TABLE, best_score, scaled, words

# The score of a position that a five ended, from the winner's side.
WON = 1000000
COLUMNS = ("move", "colour", "x", "y", "square", "score", "value", "swing", "marked")


class ReviewError(RuntimeError):
    """The brain could not score a position."""


def square_name(x, y):
    return "%s%d" % ("abcdefghijklmnopqrst"[x], y + 1)


def ended_score(board, stone, rule):
    """The score from black's side of the position after stone (x, y, colour name) is
    played on board, when that stone ends the game; else None. Plays the stone."""
    x, y, colour = stone
    side = BLACK if colour == "black" else WHITE
    ending, _ = play_stone(board, x, y, side, rule)
    if ending:  # a five wins for its side, a renju foul loses for black
        winner = side if ending == "five" else WHITE
        return WON if winner == BLACK else -WON
    return 0 if is_full(board) else None


def review_scores(record, command, depth=0, nodes=0, cwd=None, progress=None):
    """The score from black's side of the position after each stone of the record, asked of
    the brain command at the depth or node limit; progress(done, total) after each."""
    stones = record_stones(record)
    width, height = record["size"]
    rule = record.get("rule", "exact5")
    cfg = GameConfig(width=width, height=height, rule=rule, timeout_turn=LIMITED_TIMEOUT_TURN,
                     max_depth=depth, max_nodes=nodes)
    board = new_board(width, height)
    brain = BrainPlayer("reviewer", command, cwd)
    scores = []
    try:
        failed = brain.start(cfg)
        if failed:
            raise ReviewError("the brain did not start: %s %s" % (failed.failure, failed.detail))
        brain.process.send("YXNBEST 1")
        for count, stone in enumerate(stones, 1):
            score = ended_score(board, stone, rule)
            if score is None:
                side = mover(count)
                placed = [(x, y, BLACK if c == "black" else WHITE) for x, y, c in
                          stones[:count]]
                reply = brain.ask_move(move_request(placed, 0, side), cfg.timeout_turn,
                                       cfg.tolerance)
                if reply.failure:
                    raise ReviewError("position %d: %s %s" % (count, reply.failure, reply.detail))
                own = best_score(reply.messages)
                score = None if own is None else own if side == BLACK else -own
            scores.append(score)
            if progress:
                progress(count, len(stones))
    finally:
        brain.close()
    return scores


def review_rows(record, scores):
    """One row per stone: its number, colour and square, the score and its value on the
    scale from black's side, its swing against its player, and whether it is marked."""
    rows = []
    before = 0.0  # the empty board stands even
    for count, ((x, y, colour), score) in enumerate(zip(record_stones(record), scores), 1):
        value = before if score is None else scaled(score)
        swing = before - value if colour == "black" else value - before
        rows.append({"move": count, "colour": colour, "x": x, "y": y,
                     "square": square_name(x, y), "score": score, "value": value,
                     "swing": swing, "marked": False})
        before = value
    ranked = sorted(rows, key=lambda row: -row["swing"])  # stable: earlier moves first
    for row in ranked[:TABLE["marked"]]:
        row["marked"] = row["swing"] >= TABLE["least_swing"]
    return rows


def review_text(rows):
    """The rows as lines for the terminal: the evaluation in words beside the raw score."""
    lines = []
    for row in rows:
        said = "no score" if row["score"] is None else "%s (%d)" % (
            words(row["score"], "black", "white"), row["score"])
        mark = "  <- swung %.2f against %s" % (row["swing"], row["colour"]) if row["marked"] else ""
        lines.append("%4d. %-5s %-4s %+.2f  %s%s" % (
            row["move"], row["colour"], row["square"], row["value"], said, mark))
    return lines


def csv_value(value):
    """As JSON writes it: floats in full, true and false, an empty field for no score."""
    if isinstance(value, bool):
        return str(value).lower()
    if value is None:
        return ""
    return repr(value) if isinstance(value, float) else value


def write_review(path, reviews):
    """Writes [(record, rows)] as CSV (one row per stone, the game's number first) or JSON (a
    list of games), by the file's extension."""
    if path.endswith(".json"):
        games = [{"game": record.get("game", i), "black": record["black"],
                  "white": record["white"], "moves": rows}
                 for i, (record, rows) in enumerate(reviews, 1)]
        with open(path, "w") as f:
            json.dump(games, f, indent=1)
            f.write("\n")
        return
    with open(path, "w", newline="") as f:
        out = csv.writer(f)
        out.writerow(("game",) + COLUMNS)
        for i, (record, rows) in enumerate(reviews, 1):
            for row in rows:
                out.writerow([record.get("game", i)] + [csv_value(row[c]) for c in COLUMNS])
