// A person against the in-page engine, as the server's PlayGame: the person's moves arrive as
// requests and the engine is asked for its answer to each; a take back ends a running search.

import { ENGINE, localGame } from "./local-game.js";
import { COLOUR_NAMES, LOSSES, foulOf, other, refusal } from "./rules.js";

// settings as for POST /api/games in mode play; show(game) gets the game after every change
// and fail(message) every refused request. Resolves to the game's driver.
export async function startPlayedGame(settings, show, fail) {
  const human = settings.human === "white" ? 2 : 1;
  const engine = other(human);
  let busy = true; // the engine has work: starting, a move or a take back
  let searching = false; // the work is the answer to the person's move
  const names = { black: human === 1 ? "you" : ENGINE, white: human === 2 ? "you" : ENGINE };
  const own = () => ({ human: COLOUR_NAMES[human], thinking: busy && !game.over });
  const g = await localGame(settings, { names, engines: [engine], limited: true, own }, show);
  const game = g.game;

  async function answer() {
    busy = searching = true;
    g.publish();
    if (await g.move(engine)) {
      busy = searching = false;
      g.publish();
    }
  }

  const actions = {
    move(x, y) {
      if (busy) throw new Error(`not your turn: ${ENGINE} is thinking`);
      const problem = refusal(g.board, x, y);
      if (problem) throw new Error(problem);
      const foul = foulOf(g.board, x, y, human, game.rule);
      if (foul) throw new Error(`${x},${y} is forbidden to black (${LOSSES[foul]})`);
      g.addStone(x, y, human);
      if (!game.over) answer();
    },
    // Takes back the person's last move and the engine's answer to it; a running search
    // ends at once and takes back only the person's move.
    async takeBack() {
      if (!game.stones.some(([, , colour]) => colour === human)) {
        throw new Error("no move of yours to take back");
      }
      if (searching) {
        g.takeBack(1);
        busy = searching = false;
        g.publish();
        g.players[engine].restart().catch((error) => g.failed(engine, error));
        return;
      }
      if (busy) throw new Error("the engine is still taking back the last moves");
      const removed = g.takeBack(2);
      busy = true;
      g.publish();
      if (await g.request(engine, (player) => player.takeBack(removed))) {
        busy = false;
        g.publish();
      }
    },
    resign: () => g.end(engine, "resigned"),
  };

  if (await g.start()) {
    if (engine === 1) answer();
    else {
      busy = false;
      g.publish();
    }
  }
  return g.driver(actions, fail);
}
