"""The playing levels (tools/web/levels.json, which the page's Play tab reads too): a name and
the engine's limits that make it, and the Elo it measured against full strength."""

from fivefold_tools.build import page_table

LEVELS = {level["name"]: level for level in page_table("levels.json")["levels"]}


def level_limits(name):
    """The GameConfig fields a level sets for its side of a game."""
    level = LEVELS[name]
    return {"timeout_turn": level["timeout_turn"], "max_depth": level["max_depth"],
            "max_nodes": level["max_node"]}
