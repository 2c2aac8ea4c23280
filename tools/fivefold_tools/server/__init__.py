"""The board server: its games (games.py) and the HTTP layer over them (http.py)."""
