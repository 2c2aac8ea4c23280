// The running game of the play and watch tabs: started through a driver, shown through the
// state. A driver has close(), leave() and the actions of its game: move(x, y), takeBack() and
// resign() in a played game, pace(change) in a watched one; it reports the game as the
// server's JSON API shows it (see docs/site.md).

import { startPlayedGame } from "./played-game.js";
import { forbiddenPoints } from "./renju.js";
import { boardOf } from "./rules.js";
import { startServerGame } from "./server-game.js";
import { state, update, showStatus } from "./state.js";
import { startWatchedGame } from "./watched-game.js";

export function gameStatus(game) {
  if (game.over) return game.result ? game.result.text : "the game was closed";
  const count = game.stones.length;
  if (game.mode === "watch") {
    const pace = game.paused ? "paused" : "playing";
    return `${pace}: move ${count + 1}, ${game.next} (${game[game.next]}) to play`;
  }
  const engine = game[game.human === "black" ? "white" : "black"];
  if (game.thinking) {
    return game.next === game.human ? `waiting for ${engine}…` : `${engine} is thinking…`;
  }
  return `your move (${game.human})`;
}

function showGame(game) {
  const problem = Boolean(game.result && !["five", "full_board"].includes(game.result.reason));
  update({ game, status: { text: gameStatus(game), problem } });
}

// Counts the games started: a game still starting when another starts, or when its tab is
// left, is closed as soon as its driver arrives, and nothing it reports is shown.
let started = 0;

export function closeGame() {
  started++;
  if (state.driver) state.driver.close();
  update({ driver: null, game: null });
}

// Fivefold (brain 0) plays in the page when the in-page engine is here; other brains, and
// every brain without the in-page engine, play on the server.
function playsInPage(settings) {
  const brains = settings.mode === "play" ? [settings.brain] : [settings.black, settings.white];
  return state.inPage && brains.every((brain) => !brain);
}

export async function newGame(settings) {
  closeGame();
  const local = playsInPage(settings);
  if (!local && !state.server) {
    return showStatus(state.noEngine || "no engine: the in-page engine is not here", true);
  }
  showStatus("starting…");
  const ticket = started;
  const current = () => ticket === started;
  const fail = (message) => current() && showStatus(message, true);
  try {
    const inPage = settings.mode === "watch" ? startWatchedGame : startPlayedGame;
    const start = local ? inPage : startServerGame;
    const driver = await start(settings, (game) => current() && showGame(game), fail);
    if (current()) update({ driver });
    else driver.close();
  } catch (error) {
    fail(error.message);
  }
}

// The running game's request, if there is one.
export function act(action, ...args) {
  if (state.driver && state.driver[action]) state.driver[action](...args);
}

// The board size a settings form names: the empty board follows it until a game starts.
export function boardSize(form) {
  return { width: Number(form.elements.width.value), height: Number(form.elements.height.value) };
}

// Renju's forbidden points [[x, y, reason]] while black is to move (players expect to see
// them), else none. position: {width, height, stones}.
export function forbiddenFor(rule, next, position) {
  if (rule !== "renju" || next !== "black") return [];
  return forbiddenPoints(boardOf(position.width, position.height, position.stones));
}

// The board and the engine's thoughts of the running game.
export function gameView(game, empty) {
  if (!game) return { board: { ...empty, stones: [] } };
  const board = {
    width: game.width,
    height: game.height,
    stones: game.stones,
    five: game.five,
    named: game.thoughts ? game.thoughts.squares : [],
    forbidden: forbiddenFor(game.rule, game.next, game),
  };
  // The board takes clicks while the game runs: one out of turn is refused with the reason.
  const playing = game.mode === "play" && !game.over;
  const click = playing ? (x, y) => act("move", x, y) : null;
  return { board, click, thoughts: game.thoughts };
}
