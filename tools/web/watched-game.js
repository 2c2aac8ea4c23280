// Two in-page engines against each other, as the server's WatchGame: after each move the game
// waits for the chosen delay, or while paused for a step.

import { ENGINE, localGame } from "./local-game.js";
import { mover } from "./rules.js";

// settings as for POST /api/games in mode watch; show(game) gets the game after every change
// and fail(message) every refused request. Resolves to the game's driver.
export async function startWatchedGame(settings, show, fail) {
  let paused = Boolean(settings.paused);
  let delay = settings.delay_ms;
  let steps = 0; // moves asked for one at a time, not yet made
  const names = { black: `${ENGINE} 1`, white: `${ENGINE} 2` };
  const opening = settings.opening === "builtin";
  const own = () => ({ paused, delay_ms: delay });
  const g = await localGame(settings, { names, engines: [1, 2], opening, own }, show);

  async function play() {
    while (await g.move(mover(g.game.stones.length))) {
      g.publish();
      const shown = Date.now();
      while (!g.game.over && !steps) {
        const wait = shown + delay - Date.now();
        if (!paused && wait <= 0) break;
        await g.wait(paused ? Infinity : wait);
      }
      if (steps) steps--;
    }
  }

  const actions = {
    pace({ paused: pause, delay_ms: ms, step }) {
      if (pause !== undefined) paused = pause;
      if (ms !== undefined) delay = ms;
      if (step) steps++;
      g.notify();
      g.publish();
    },
  };

  if (await g.start()) {
    g.publish();
    play();
  }
  return g.driver(actions, fail);
}
