"""The rules and records: the manager's board, openings, a game's result in words."""
