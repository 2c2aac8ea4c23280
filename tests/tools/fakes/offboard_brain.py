"""Plays one column beyond the right edge of the board."""

from fake_protocol import run

run(lambda state: "%d,0" % state.width)
