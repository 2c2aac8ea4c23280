// One side of a game played by an in-page engine, as the Python manager's BrainPlayer is one
// played by a brain process: it keeps count of the stones its engine knows of.

import { TOLERANCE_MS, moveLines, openEngine, startGame } from "./engine.js";

// A fresh engine (after a stop) is told the game again: the size and settings now, the whole
// position with its next move request.
export function enginePlayer(cfg) {
  let engine = null;
  let started = null; // settles once the engine has the board and the settings
  let known = 0; // stones the engine knows of

  function start() {
    engine = openEngine();
    known = 0;
    started = startGame(engine, cfg);
    return started;
  }

  return {
    start,
    async move(stones, colour) {
      await started;
      const limit = cfg.timeoutTurn + TOLERANCE_MS;
      const reply = await engine.request(moveLines(stones, known, colour), "move", limit);
      known = stones.length + 1;
      return reply;
    },
    // The stones are gone: TAKEBACK for each; an engine that refuses is sent the whole
    // position next time.
    async takeBack(squares) {
      await started;
      for (const [x, y] of squares) {
        const answer = await engine.request([`TAKEBACK ${x},${y}`], "ok");
        if (answer.refused) return void (known = 0);
      }
      known -= squares.length;
    },
    // Ends a running search at once: the engine is replaced by a fresh one.
    restart() {
      engine.close();
      return start();
    },
    close: () => engine && engine.close(),
  };
}
