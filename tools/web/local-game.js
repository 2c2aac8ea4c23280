// Games against the in-page engine, judged in the page as tools/serve.py judges its games and
// split as its games are: this module is what every game has (the stones, the board, the
// result, the engines' moves), played-game.js adds a person's moves and watched-game.js the
// pace of two engines. A game reports itself in the shape of a server game (games.js), so
// the panels show either.

import { EngineLate, EngineStopped } from "./engine.js";
import { enginePlayer } from "./engine-player.js";
import { COLOUR_NAMES, boardOf, isFull, mover, onBoard, other, playStone } from "./rules.js";
import { randomOpening, refusal, result } from "./rules.js";
import { thoughts } from "./words.js";

export const ENGINE = "fivefold";

// A game of these settings (as for POST /api/games) with an in-page engine for each colour
// of `engines` and the person, if any, at the other. names: {black, white}; limited: the
// depth and node limits of the settings apply; opening: the game starts from a random
// built-in opening; own(): the fields its kind adds to what it reports. show(game) gets the
// game after every change.
export async function localGame(settings, { names, engines, limited, opening, own }, show) {
  const cfg = {
    width: settings.width,
    height: settings.height,
    rule: settings.rule || "exact5",
    timeoutTurn: settings.time_ms,
    maxDepth: limited ? settings.max_depth : 0,
    maxNode: limited ? settings.max_node : 0,
  };
  const stones = opening ? await randomOpening(cfg.width, cfg.height, cfg.rule) : [];
  const players = {};
  for (const colour of engines) players[colour] = enginePlayer(cfg);
  const game = {
    id: "in-page",
    mode: settings.mode,
    width: cfg.width,
    height: cfg.height,
    rule: cfg.rule,
    time_ms: cfg.timeoutTurn,
    ...names,
    stones,
    over: false,
    result: null,
    five: [],
    thoughts: null,
  };
  let board = boardOf(cfg.width, cfg.height, stones);
  let generation = 0; // a stop makes every answer of an earlier generation stale
  let wake = () => {};

  const closeEngines = () => Object.values(players).forEach((player) => player.close());

  function publish() {
    const next = game.over ? null : COLOUR_NAMES[mover(game.stones.length)];
    show({ ...game, stones: [...game.stones], next, ...own() });
  }

  function end(winner, reason, detail = "") {
    if (game.over) return;
    game.over = true;
    game.result = result(winner, reason, detail, names);
    generation++;
    closeEngines();
    wake();
    publish();
  }

  // The engine's reason to lose: its failure as a game ending.
  function failed(colour, error) {
    if (error instanceof EngineStopped) return;
    end(other(colour), error instanceof EngineLate ? "time_forfeit" : "crash", error.message);
  }

  // Sends a request to the engine of this colour: {answer}, or null when it failed (which
  // ends the game) or the game has moved on meanwhile (a stop, a take back, its end).
  async function request(colour, ask) {
    const asked = generation;
    try {
      const answer = await ask(players[colour]);
      return asked === generation && !game.over ? { answer } : null;
    } catch (error) {
      if (asked === generation) failed(colour, error);
      return null;
    }
  }

  // Places a legal stone with the thoughts that chose it, and ends the game on a five, a
  // renju foul or a full board.
  function addStone(x, y, colour, chosen = null) {
    game.stones.push([x, y, colour]);
    game.thoughts = chosen;
    const [ending, five] = playStone(board, x, y, colour, cfg.rule);
    if (five) {
      game.five = five;
      end(colour, "five");
    } else if (ending) {
      end(other(colour), ending, `${x},${y}`);
    } else if (isFull(board)) {
      end(null, "full_board");
    }
  }

  return {
    game,
    players,
    get board() {
      return board;
    },
    publish,
    end,
    failed,
    request,
    addStone,

    // Starts the engines; false when one could not start, which ends the game.
    async start() {
      for (const colour of engines) {
        try {
          await players[colour].start();
        } catch (error) {
          end(other(colour), "start_failed", error.message);
          return false;
        }
      }
      return true;
    },

    // Asks the engine of this colour for its move and plays it; false when the game is over
    // or the answer came too late to count.
    async move(colour) {
      if (game.over) return false;
      const asked = await request(colour, (player) => player.move(game.stones, colour));
      if (!asked) return false;
      const reply = asked.answer;
      const [x, y] = reply.move;
      if (refusal(board, x, y)) {
        // Off the board, the square's index may fall on another column's cell.
        end(other(colour), onBoard(board, x, y) ? "occupied" : "off_board", `${x},${y}`);
        return false;
      }
      const chosen = thoughts(reply.lines, [x, y], COLOUR_NAMES[colour], cfg.width, cfg.height);
      addStone(x, y, colour, chosen);
      return !game.over;
    },

    // Takes the last stones off the board: their squares, the last first. Every answer
    // asked for before is stale.
    takeBack(count) {
      generation++;
      const removed = game.stones.splice(-count).map(([x, y]) => [x, y]);
      board = boardOf(cfg.width, cfg.height, game.stones);
      game.thoughts = null;
      return removed.reverse();
    },

    // Resolves after ms (never for Infinity), or sooner on notify() or the game's end.
    wait(ms) {
      return new Promise((resolve) => {
        wake = resolve;
        if (ms < Infinity) setTimeout(resolve, ms);
      });
    },
    notify: () => wake(),

    // The driver of the game (games.js): the actions of its kind, each refused with the
    // reason through fail(message) once the game is over or when it throws; close and leave.
    driver(actions, fail) {
      const driver = {
        close() {
          generation++;
          game.over = true;
          closeEngines();
          wake();
        },
        leave: () => driver.close(),
      };
      for (const [name, act] of Object.entries(actions)) {
        driver[name] = async (...args) => {
          try {
            if (game.over) throw new Error("the game is over");
            await act(...args);
          } catch (error) {
            fail(error.message);
          }
        };
      }
      return driver;
    },
  };
}
