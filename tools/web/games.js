// The running game of the play and watch tabs: started through a driver, shown through the
// state. A driver has move(x, y), takeBack(), resign(), pace(change), close() and leave(), and
// reports the game as the server's JSON API shows it (see README.md).

import { startServerGame } from "./server-game.js";
import { state, update, showStatus } from "./state.js";

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

export function closeGame() {
  if (state.driver) state.driver.close();
  update({ driver: null, game: null });
}

export async function newGame(settings) {
  closeGame();
  showStatus("starting…");
  const fail = (message) => showStatus(message, true);
  try {
    const driver = await startServerGame(settings, showGame, fail);
    update({ driver });
  } catch (error) {
    fail(error.message);
  }
}

// The running game's request, if there is one.
export function act(action, ...args) {
  if (state.driver) state.driver[action](...args);
}

export function yourTurn(game) {
  return Boolean(game && game.mode === "play" && !game.over && !game.thinking);
}

// The board size a settings form names: the empty board follows it until a game starts.
export function boardSize(form) {
  return { width: Number(form.elements.width.value), height: Number(form.elements.height.value) };
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
  };
  const click = yourTurn(game) ? (x, y) => act("move", x, y) : null;
  return { board, click, thoughts: game.thoughts };
}
