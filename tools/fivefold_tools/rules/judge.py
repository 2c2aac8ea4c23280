"""A stone judged by the game's rule as it is played: a winning line, or under renju a black
foul, ends the game."""

from fivefold_tools.rules.board import BLACK, five_through, mover, place
from fivefold_tools.rules.renju import forbidden


def foul_of(board, x, y, rule):
    """The renju foul (double_three, double_four, overline) that the side to move plays on
    the empty (x, y), or None: only black's stones under renju can be fouls."""
    return forbidden(board, x, y) if rule == "renju" and mover(board.count) == BLACK else None


def play_stone(board, x, y, colour, rule):
    """Places the side to move's stone on the empty (x, y) and returns (reason, five):
    ("five", the winning run) when it wins; (the foul, None) when it is renju black's
    double_three, double_four or overline, which loses; (None, None) when the game goes on."""
    foul = foul_of(board, x, y, rule)
    place(board, x, y, colour)
    five = five_through(board, x, y, rule)
    if five:
        return "five", five
    return foul, None
