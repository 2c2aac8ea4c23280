"""Answers a move request with a line that is no move."""

from fake_protocol import run

run(lambda state: "MESSAGE fine so far\nhello, world")
