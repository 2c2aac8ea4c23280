// The Play tab: a person against a brain.

import { act, boardSize, closeGame, gameView, newGame, yourTurn } from "../games.js";
import { $, formValues, update } from "../state.js";

const form = $("#play-form");

form.addEventListener("submit", (event) => {
  event.preventDefault();
  newGame({ mode: "play", ...formValues(form) });
});
// The empty board follows the size fields until a game starts.
form.addEventListener("input", () => update({}));
$("#takeback").addEventListener("click", () => act("takeBack"));
$("#resign").addEventListener("click", () => act("resign"));

export const playPanel = {
  mode: "play",
  view: (s) => gameView(s.game, boardSize(form)),
  render(s) {
    const game = s.game;
    $("#takeback").disabled = !yourTurn(game) || game.stones.length < 2;
    $("#resign").disabled = !game || game.mode !== "play" || game.over;
  },
  leave: closeGame,
};
