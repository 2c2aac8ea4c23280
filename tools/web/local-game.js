// Games against the in-page engine, judged in the page as tools/serve.py judges its games: a
// person against the engine, or the engine against itself at a chosen pace. The driver and the
// game it reports have the shape of a server game (games.js), so the panels show either.

import { EngineStopped, TOLERANCE_MS, moveLines, openEngine, startGame } from "./engine.js";
import { COLOUR_NAMES, boardOf, cell, fiveThrough, isFull, mover, other } from "./rules.js";
import { randomOpening, refusal, result } from "./rules.js";
import { thoughts } from "./words.js";

const ENGINE = "fivefold";

// One side played by an in-page engine. A fresh engine (after a stop) is told the game again:
// the size and settings now, the whole position with its next move request.
function enginePlayer(cfg) {
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

// settings as for POST /api/games (mode play or watch); show(game) gets the game after every
// change and fail(message) every refused request. Resolves to the game's driver.
export async function startLocalGame(settings, show, fail) {
  const watch = settings.mode === "watch";
  const cfg = {
    width: settings.width,
    height: settings.height,
    rule: settings.rule || "exact5",
    timeoutTurn: settings.time_ms,
    maxDepth: watch ? 0 : settings.max_depth,
    maxNode: watch ? 0 : settings.max_node,
  };
  const human = watch ? 0 : settings.human === "white" ? 2 : 1;
  const names = watch
    ? { black: `${ENGINE} 1`, white: `${ENGINE} 2` }
    : { black: human === 1 ? "you" : ENGINE, white: human === 2 ? "you" : ENGINE };
  const players = {};
  for (const colour of [1, 2]) players[colour] = colour === human ? null : enginePlayer(cfg);
  const builtin = watch && settings.opening === "builtin";
  const stones = builtin ? await randomOpening(cfg.width, cfg.height, cfg.rule) : [];
  const game = {
    id: "in-page",
    mode: settings.mode,
    width: cfg.width,
    height: cfg.height,
    rule: cfg.rule,
    time_ms: cfg.timeoutTurn,
    ...names,
    stones,
    next: null,
    over: false,
    result: null,
    five: [],
    thoughts: null,
    ...(watch
      ? { paused: Boolean(settings.paused), delay_ms: settings.delay_ms }
      : { human: COLOUR_NAMES[human], thinking: true }),
  };
  let board = boardOf(cfg.width, cfg.height, stones);
  let generation = 0; // a stop makes every answer of an earlier generation stale
  let wake = () => {}; // a watched game's pause ends early on a change of pace
  let steps = 0;

  function publish() {
    game.next = game.over ? null : COLOUR_NAMES[mover(game.stones.length)];
    show({ ...game, stones: [...game.stones] });
  }

  function end(winner, reason, detail = "") {
    if (game.over) return;
    game.over = true;
    if (!watch) game.thinking = false;
    game.result = result(winner, reason, detail, names);
    generation++;
    for (const colour of [1, 2]) if (players[colour]) players[colour].close();
    wake();
    publish();
  }

  // Places a legal stone and ends the game on a five or a full board.
  function place(x, y, colour) {
    game.stones.push([x, y, colour]);
    board.cells[x * cfg.height + y] = colour;
    const five = fiveThrough(board, x, y, cfg.rule);
    if (five) {
      game.five = five;
      end(colour, "five");
    } else if (isFull(board)) {
      end(null, "full_board");
    }
  }

  // The engine's reason to lose: its failure as a game ending.
  function engineFailed(colour, error) {
    if (error instanceof EngineStopped) return;
    const late = error.message.startsWith("no move");
    end(other(colour), late ? "time_forfeit" : "crash", late ? "" : error.message);
  }

  // Asks the engine of this colour for its move and plays it; false when the game is over
  // or the answer came too late to count.
  async function engineMove(colour) {
    const asked = generation;
    let reply;
    try {
      reply = await players[colour].move(game.stones, colour);
    } catch (error) {
      if (asked === generation) engineFailed(colour, error);
      return false;
    }
    if (asked !== generation || game.over) return false;
    const [x, y] = reply.move;
    const problem = refusal(board, x, y);
    if (problem) {
      end(other(colour), cell(board, x, y) ? "occupied" : "off_board", `${x},${y}`);
      return false;
    }
    game.thoughts = thoughts(reply.lines, [x, y], COLOUR_NAMES[colour], cfg.width, cfg.height);
    place(x, y, colour);
    return !game.over;
  }

  async function answer() {
    game.thinking = true;
    publish();
    if (await engineMove(other(human))) {
      game.thinking = false;
      publish();
    }
  }

  // A watched game: each side's engine in turn, with the chosen pause after each move.
  async function watchLoop() {
    while (!game.over) {
      if (!(await engineMove(mover(game.stones.length)))) return;
      publish();
      const shown = Date.now();
      while (!game.over && !steps) {
        const wait = shown + game.delay_ms - Date.now();
        if (!game.paused && wait <= 0) break;
        await new Promise((resolve) => {
          wake = resolve;
          if (!game.paused) setTimeout(resolve, wait);
        });
      }
      if (steps) steps--;
    }
  }

  for (const colour of [1, 2]) {
    try {
      if (players[colour]) await players[colour].start();
    } catch (error) {
      end(other(colour), "start_failed", error.message);
      return driver();
    }
  }
  if (watch) {
    publish();
    watchLoop();
  } else if (human === 2) {
    answer();
  } else {
    game.thinking = false;
    publish();
  }
  return driver();

  function driver() {
    // Raises the reason the person may not act now.
    const yourTurn = () => {
      if (game.over) throw new Error("the game is over");
      if (game.thinking) throw new Error(`not your turn: ${ENGINE} is thinking`);
    };
    const refused = (act) => async (...args) => {
      try {
        await act(...args);
      } catch (error) {
        fail(error.message);
      }
    };
    return {
      move: refused((x, y) => {
        yourTurn();
        const problem = refusal(board, x, y);
        if (problem) throw new Error(problem);
        place(x, y, human);
        game.thoughts = null;
        if (!game.over) answer();
      }),
      // Takes back the person's last move and the engine's answer to it; a running search
      // ends at once and takes back only the person's move.
      takeBack: refused(async () => {
        if (game.over) throw new Error("the game is over");
        const mine = game.stones.filter(([, , colour]) => colour === human).length;
        if (!mine) throw new Error("no move of yours to take back");
        const player = players[other(human)];
        game.thoughts = null;
        if (game.thinking) {
          generation++;
          game.stones.pop();
          board = boardOf(cfg.width, cfg.height, game.stones);
          game.thinking = false;
          publish();
          player.restart().catch((error) => engineFailed(other(human), error));
          return;
        }
        const removed = game.stones.splice(-2).map(([x, y]) => [x, y]);
        board = boardOf(cfg.width, cfg.height, game.stones);
        game.thinking = true;
        publish();
        const asked = generation;
        try {
          await player.takeBack(removed.reverse());
        } catch (error) {
          if (asked === generation) engineFailed(other(human), error);
          return;
        }
        game.thinking = false;
        publish();
      }),
      resign: refused(() => {
        if (game.over) throw new Error("the game is over");
        end(other(human), "resigned");
      }),
      pace: refused(({ paused, delay_ms: delay, step }) => {
        if (game.over) throw new Error("the game is over");
        if (paused !== undefined) game.paused = paused;
        if (delay !== undefined) game.delay_ms = delay;
        if (step) steps++;
        wake();
        publish();
      }),
      close() {
        generation++;
        game.over = true;
        for (const colour of [1, 2]) if (players[colour]) players[colour].close();
        wake();
      },
      leave() {
        this.close();
      },
    };
  }
}
