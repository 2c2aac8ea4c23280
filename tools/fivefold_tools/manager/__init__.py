"""The manager's side: a brain process, one game, the match runner, statistics."""
