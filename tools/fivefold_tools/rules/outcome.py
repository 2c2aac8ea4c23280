"""A finished game's result in words, from its record (manager.game.finish)."""

from fivefold_tools.build import page_table
from fivefold_tools.rules.game_record import UNKNOWN

# The endings of a lost game in words, a table the page reads too.
LOSSES = page_table("outcomes.json")["losses"]


def outcome_text(record):
    reason = record["reason"]
    if record.get("result", "") is None:
        return "result not recorded"  # a record file that names none (a PSQ file, SGF RE[?])
    if record["winner"] is None:
        return "draw" if reason == UNKNOWN else "draw (%s)" % reason.replace("_", " ")
    if reason == UNKNOWN:
        return "%s (%s) wins" % (record["winner"], record["winner_name"])
    if reason == "five":
        return "%s (%s) wins with five in a row" % (record["winner"], record["winner_name"])
    loser = "white" if record["winner"] == "black" else "black"
    detail = " (%s)" % record["detail"] if record.get("detail") else ""
    return "%s (%s) loses by %s%s" % (loser, record[loser], LOSSES.get(reason, reason), detail)
