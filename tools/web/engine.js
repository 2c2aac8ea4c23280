// The in-page engine: the WebAssembly brain in a Web Worker, spoken to in protocol lines as
// the Python manager speaks to a brain process. The worker answers {ready: true} once the
// engine has loaded, {line} for every line the engine prints and {error} when it fails; a line
// that needs a move runs the whole turn inside the worker, so a running search is ended only
// by terminating the worker.

import { RULES } from "./rules.js";

const WORKER = "engine-worker.js";
// ms beyond the turn's time before the page gives up on a move, as a manager's tolerance.
export const TOLERANCE_MS = 1000;
// ms for the engine to load and for its answer to a line that expects OK.
const ANSWER_MS = 20000;
const MOVE_LINE = /^\s*(-?\d+)\s*,\s*(-?\d+)\s*$/;
const INFO_PREFIXES = ["MESSAGE", "DEBUG", "ERROR", "UNKNOWN"];

// Why the in-page engine cannot run in this browser, as one sentence telling what to do; or
// null. (A page opened from a file never gets this far: fallback.js speaks for it.)
export function engineProblem() {
  if (typeof WebAssembly !== "object" || typeof Worker !== "function") {
    return (
      "This browser cannot run the engine (it needs WebAssembly and Web Workers): open the " +
      "page in a current Firefox, Chrome, Edge or Safari."
    );
  }
  return null;
}

// Whether the engine's files are served beside the page.
export async function engineBuilt() {
  try {
    const response = await fetch(WORKER, { cache: "no-store" });
    return response.ok;
  } catch {
    return false;
  }
}

// A stopped engine's requests end with this error; it is no fault of the engine.
export class EngineStopped extends Error {}
// An engine that does not answer in time: a time forfeit in a game.
export class EngineLate extends Error {}

// One engine process. request(lines, expect) posts the lines and resolves with
// {lines: the engine's lines, move: [x, y] (expect "move"), refused: the ERROR line instead of
// OK (expect "ok")}; expect "none" resolves at once. A failed engine rejects every request with
// an Error saying why; close() ends it at once, its running search included.
export function openEngine() {
  const worker = new Worker(WORKER);
  const pending = [];
  let failure = null;
  let markReady;
  const ready = new Promise((resolve) => (markReady = resolve));

  function fail(error) {
    if (failure) return;
    failure = error;
    worker.terminate();
    markReady();
    for (const entry of pending.splice(0)) {
      clearTimeout(entry.timer);
      entry.reject(error);
    }
  }

  function finish(value) {
    const entry = pending.shift();
    clearTimeout(entry.timer);
    entry.resolve({ lines: entry.lines, ...value });
  }

  function heard(line) {
    const entry = pending[0];
    if (!entry) return; // a line no request waits for (the engine prints nothing unasked)
    const upper = line.trim().toUpperCase();
    const move = line.match(MOVE_LINE);
    if (entry.expect === "ok" && upper === "OK") return finish({});
    if (entry.expect === "ok" && (upper.startsWith("ERROR") || upper.startsWith("UNKNOWN"))) {
      return finish({ refused: line });
    }
    if (entry.expect === "move" && move) {
      return finish({ move: [Number(move[1]), Number(move[2])] });
    }
    if (line.trim() && !INFO_PREFIXES.some((prefix) => upper.startsWith(prefix))) {
      return fail(new Error(`unreadable output: ${line.slice(0, 200)}`));
    }
    entry.lines.push(line);
  }

  worker.onmessage = ({ data }) => {
    if (data.ready) markReady();
    else if (typeof data.line === "string") heard(data.line);
    else if (data.error) fail(new Error(data.error));
  };
  worker.onerror = (event) => {
    event.preventDefault();
    fail(new Error(`the engine failed: ${event.message || "its worker could not run"}`));
  };
  worker.onmessageerror = () => fail(new Error("the engine failed: an unreadable message"));
  const loading = setTimeout(() => fail(new Error("the engine did not load")), ANSWER_MS);
  ready.then(() => clearTimeout(loading));

  async function request(lines, expect = "none", limitMs = ANSWER_MS) {
    await ready;
    if (failure) throw failure;
    worker.postMessage({ lines });
    if (expect === "none") return { lines: [] };
    return new Promise((resolve, reject) => {
      const entry = { expect, lines: [], resolve, reject };
      const late = expect === "move" ? "no move in time" : "no OK in time";
      entry.timer = setTimeout(() => fail(new EngineLate(late)), limitMs);
      pending.push(entry);
    });
  }

  return {
    request,
    close: () => fail(new EngineStopped("the engine was stopped")),
  };
}

// Starts a game on the engine: the board size (answered OK), then the settings.
// cfg: {width, height, rule, timeoutTurn, maxDepth, maxNode}.
export async function startGame(engine, cfg) {
  const square = cfg.width === cfg.height;
  const size = square ? `START ${cfg.width}` : `RECTSTART ${cfg.width},${cfg.height}`;
  const answer = await engine.request([size], "ok");
  if (answer.refused) throw new Error(`the engine refused the board: ${answer.refused}`);
  await engine.request(infoLines(cfg));
}

// What the engine is told before its move, as the Python manager tells a brain: BEGIN on an
// empty board, TURN with the opponent's last stone when it knows all the others, otherwise the
// whole position (1 its own stones, 2 the opponent's). stones: [[x, y, colour]] in order.
export function moveLines(stones, known, colour) {
  if (!stones.length) return ["BEGIN"];
  const [x, y, last] = stones[stones.length - 1];
  if (known === stones.length - 1 && last !== colour) return [`TURN ${x},${y}`];
  const lines = stones.map(([sx, sy, c]) => `${sx},${sy},${c === colour ? 1 : 2}`);
  return ["BOARD", ...lines, "DONE"];
}

function infoLines(cfg) {
  return [
    `INFO timeout_turn ${cfg.timeoutTurn}`,
    "INFO game_type 1",
    `INFO rule ${RULES[cfg.rule].info}`,
    `INFO max_depth ${cfg.maxDepth || 0}`,
    `INFO max_node ${cfg.maxNode || 0}`,
  ];
}
