"""The engine's words: its MESSAGE lines in words, and the squares its threat lines name."""
