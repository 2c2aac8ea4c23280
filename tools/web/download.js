// The Download button under the board: the game on the board (the replayed one, or the play
// or watch tab's game) saved as SGF or PSQ.

import { COLOUR_NAMES, recordResult } from "./rules.js";
import { writePsq, writeSgf } from "./records.js";
import { $, showStatus, state } from "./state.js";

// The play and watch tabs' game as a record in the shape of match.py's JSON lines; its
// stones are all moves (their times are not known), its result none while it runs.
function runningRecord(game) {
  const result = game.result;
  const winner = result ? result.winner : null;
  return {
    game: 1,
    black: game.black,
    white: game.white,
    size: [game.width, game.height],
    rule: game.rule || "exact5",
    opening: [],
    moves: game.stones.map(([x, y, colour]) => ({ colour: COLOUR_NAMES[colour], x, y, ms: 0 })),
    winner,
    winner_name: winner ? game[winner] : null,
    result: result ? recordResult(winner) : null,
    reason: result ? result.reason : "unknown",
  };
}

function boardRecord(s) {
  if (s.mode === "replay") return s.replay.records[s.replay.index] || null;
  const running = ["play", "watch"].includes(s.mode) && s.game;
  return running && s.game.stones.length ? runningRecord(s.game) : null;
}

$("#download").addEventListener("click", () => {
  const record = boardRecord(state);
  if (!record) return showStatus("no game on the board to download", true);
  const format = $("#download-format").value;
  const text = format === "psq" ? writePsq(record) : writeSgf(record);
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([text], { type: "text/plain" }));
  link.download = `fivefold-game-${record.game ?? 1}.${format}`;
  link.click();
  URL.revokeObjectURL(link.href);
});
