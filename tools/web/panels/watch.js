// The Watch tab: two brains play each other at a chosen pace.

import { act, boardSize, closeGame, gameView, newGame } from "../games.js";
import { $, formValues, state, update } from "../state.js";

const form = $("#watch-form");

form.addEventListener("submit", (event) => {
  event.preventDefault();
  newGame({ mode: "watch", ...formValues(form) });
});
form.addEventListener("input", () => update({}));
$("#pause").addEventListener("click", () => act("pace", { paused: !state.game.paused }));
$("#step").addEventListener("click", () => act("pace", { step: true }));
form.elements.delay_ms.addEventListener("input", (event) => {
  $("#delay-shown").textContent = `${event.target.value} ms`;
  const game = state.game;
  if (game && game.mode === "watch" && !game.over) {
    act("pace", { delay_ms: Number(event.target.value) });
  }
});

export const watchPanel = {
  mode: "watch",
  view: (s) => gameView(s.game, boardSize(form)),
  render(s) {
    const game = s.game;
    const running = Boolean(game && game.mode === "watch" && !game.over);
    $("#pause").disabled = $("#step").disabled = !running;
    $("#pause").textContent = running && game.paused ? "Resume" : "Pause";
  },
  leave: closeGame,
};
