// The Play tab: a person against a brain.

import { act, boardSize, closeGame, gameView, newGame } from "../games.js";
import { COLOUR_NAMES } from "../rules.js";
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
    // A running search is ended by a take back; a server game refuses it with the reason.
    const human = game && game.mode === "play" && !game.over ? game.human : null;
    const yours = game && game.stones.some((stone) => COLOUR_NAMES[stone[2]] === human);
    $("#takeback").disabled = !yours;
    $("#resign").disabled = !game || game.mode !== "play" || game.over;
  },
  leave: closeGame,
};
