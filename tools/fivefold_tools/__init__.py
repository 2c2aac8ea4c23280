"""Fivefold's Python tools, by role:

    rules/    the manager's board and the five-in-a-row rule, openings, a result in words
    manager/  a brain as a child process, one adjudicated game, the match runner, statistics
    words/    the engine's MESSAGE lines in words and the squares its threat lines name
    server/   the board server: its games, and the HTTP layer that serves them and the page
    build.py  the repository's places and the release brain, built when missing or stale
    terminal.py  the game on the terminal;  bench.py  two bench builds side by side

The scripts in tools/ (match.py, play.py, serve.py, bench_compare.py) parse their options
and call in here; nothing in here imports them."""
