// The Analyse tab: set up a position by clicking or pasting the bench's position line, choose
// the rule, the side to move and the limits, and ask the in-page engine for its move. Under
// renju, black's forbidden points are marked while black is to move.

import { squareName } from "../board.js";
import { EngineStopped, TOLERANCE_MS, moveLines, openEngine, startGame } from "../engine.js";
import { forbiddenFor } from "../games.js";
import {
  COLOUR_NAMES,
  MAX_SIDE,
  MIN_SIDE,
  anyFive,
  boardOf,
  cell,
  isFull,
  other,
  place,
} from "../rules.js";
import { $, formValues, showStatus, state, update } from "../state.js";
import { thoughts } from "../words.js";

const form = $("#analyse-form");
const WHOLE = /^[+-]?\d+$/;
const rule = () => form.elements.rule.value;

function change(changes, status = "") {
  update({ analyse: { ...state.analyse, ...changes }, status: { text: status, problem: false } });
}

function refuse(reason) {
  showStatus(reason, true);
}

// The bench's position line "W H x,y,c ...": {width, height, stones: [[x, y, c]]}; throws an
// Error with the reason for a malformed one.
export function parsePosition(text) {
  const words = text.trim().split(/\s+/).filter(Boolean);
  const [width, height] = words.slice(0, 2).map((word) => (WHOLE.test(word) ? Number(word) : NaN));
  if (!(width >= 0 && height >= 0)) throw new Error("expected the board width and height");
  if ([width, height].some((side) => side < MIN_SIDE || side > MAX_SIDE)) {
    throw new Error(`board size must be ${MIN_SIDE}..${MAX_SIDE}`);
  }
  const taken = boardOf(width, height);
  const stones = words.slice(2).map((word) => {
    const parts = word.split(",");
    if (parts.length !== 3 || !parts.every((part) => WHOLE.test(part))) {
      throw new Error(`bad stone '${word}' (expected x,y,c)`);
    }
    const [x, y, c] = parts.map(Number);
    if (x < 0 || x >= width || y < 0 || y >= height) {
      throw new Error(`stone '${word}' is off the board`);
    }
    if (c !== 1 && c !== 2) throw new Error(`stone '${word}' has a colour other than 1 or 2`);
    if (cell(taken, x, y)) throw new Error(`stone '${word}' is on a square already taken`);
    place(taken, x, y, c);
    return [x, y, c];
  });
  return { width, height, stones };
}

// The position as the bench's line, c 1 for the side to move.
function positionLine(a) {
  const stones = a.stones.map(([x, y, colour]) => `${x},${y},${colour === a.toMove ? 1 : 2}`);
  return [a.width, a.height, ...stones].join(" ");
}

function setPosition() {
  let position;
  try {
    position = parsePosition(form.elements.position.value);
  } catch (error) {
    return refuse(`the position is not read: ${error.message}`);
  }
  const count = (c) => position.stones.filter((stone) => stone[2] === c).length;
  const [mover, waiter] = [count(1), count(2)];
  const toMove = mover === waiter ? 1 : mover === waiter - 1 ? 2 : state.analyse.toMove;
  const stones = position.stones.map(([x, y, c]) => [x, y, c === 1 ? toMove : other(toMove)]);
  stop();
  form.elements.width.value = position.width;
  form.elements.height.value = position.height;
  form.elements.to_move.value = COLOUR_NAMES[toMove];
  change({ width: position.width, height: position.height, stones, toMove, answer: null });
}

function click(x, y) {
  const a = state.analyse;
  if (a.asking) return refuse("the engine is thinking: wait for its move or press Stop");
  const tool = form.elements.tool.value;
  const taken = a.stones.findIndex(([sx, sy]) => sx === x && sy === y);
  const name = squareName(x, y);
  if (tool === "erase") {
    if (taken < 0) return refuse(`${name} is empty: there is nothing to erase`);
    return change({ stones: a.stones.filter((_, i) => i !== taken), answer: null });
  }
  if (taken >= 0) return refuse(`${name} is taken: erase it first`);
  change({ stones: [...a.stones, [x, y, tool === "black" ? 1 : 2]], answer: null });
}

// Ends a running question at once; the next one starts a fresh engine.
function stop() {
  const a = state.analyse;
  if (!a.asking) return;
  a.engine.close();
  change({ engine: null, asking: false }, "stopped");
}

// Why the engine cannot be asked about this position, or null.
function askRefusal(a) {
  if (!state.inPage) return state.noEngine || "the in-page engine is not here";
  if (a.asking) return "the engine is already thinking";
  const board = boardOf(a.width, a.height, a.stones);
  if (anyFive(board, rule())) return "the position already holds a five";
  if (isFull(board)) return "the board is full";
  return null;
}

async function ask() {
  const a = state.analyse;
  const problem = askRefusal(a);
  if (problem) return refuse(problem);
  const settings = formValues(form);
  const cfg = {
    width: a.width,
    height: a.height,
    rule: settings.rule,
    timeoutTurn: settings.time_ms,
    maxDepth: settings.max_depth,
    maxNode: settings.max_node,
  };
  const engine = a.engine || openEngine();
  const colour = COLOUR_NAMES[a.toMove];
  change({ engine, asking: true, answer: null }, `${colour} to move: the engine is thinking…`);
  // The whole position, the side to move's stones as the engine's own (1).
  const position = moveLines(a.stones, 0, a.toMove);
  try {
    await startGame(engine, cfg);
    const reply = await engine.request(position, "move", cfg.timeoutTurn + TOLERANCE_MS);
    const [x, y] = reply.move;
    const board = boardOf(a.width, a.height, a.stones);
    if (x < 0 || x >= a.width || y < 0 || y >= a.height || cell(board, x, y)) {
      throw new Error(`the engine answered ${x},${y}, which is not a free square`);
    }
    const words = thoughts(reply.lines, [x, y], colour, a.width, a.height);
    change({ asking: false, answer: { move: [x, y], colour: a.toMove, thoughts: words } });
  } catch (error) {
    if (error instanceof EngineStopped) return;
    update({ analyse: { ...state.analyse, engine: null, asking: false } });
    refuse(error.message);
  }
}

// Plays the engine's move for the side to move; the other side is to move next.
function playAnswer() {
  const a = state.analyse;
  if (!a.answer || a.asking) return refuse("ask the engine first");
  const [x, y] = a.answer.move;
  const toMove = other(a.answer.colour);
  form.elements.to_move.value = COLOUR_NAMES[toMove];
  change({ stones: [...a.stones, [x, y, a.answer.colour]], toMove, answer: null });
}

form.addEventListener("submit", (event) => {
  event.preventDefault();
  ask();
});
form.addEventListener("change", (event) => {
  const a = state.analyse;
  const name = event.target.name;
  if (name === "to_move" || name === "rule") {
    stop();
    change({ toMove: form.elements.to_move.value === "white" ? 2 : 1, answer: null });
  }
  if (name !== "width" && name !== "height") return;
  const width = Number(form.elements.width.value);
  const height = Number(form.elements.height.value);
  if ([width, height].some((side) => !(side >= MIN_SIDE && side <= MAX_SIDE))) {
    return refuse(`the board's sides are ${MIN_SIDE} to ${MAX_SIDE} squares`);
  }
  stop();
  const stones = a.stones.filter(([x, y]) => x < width && y < height);
  change({ width, height, stones, answer: null });
});
$("#set-position").addEventListener("click", setPosition);
$("#clear-position").addEventListener("click", () => {
  stop();
  change({ stones: [], answer: null });
});
$("#stop").addEventListener("click", stop);
$("#play-answer").addEventListener("click", playAnswer);
window.addEventListener("pagehide", stop);

export const analysePanel = {
  mode: "analyse",
  view(s) {
    const a = s.analyse;
    const five = anyFive(boardOf(a.width, a.height, a.stones), rule());
    const board = { width: a.width, height: a.height, stones: a.stones, five: five || [] };
    board.forbidden = five ? [] : forbiddenFor(rule(), COLOUR_NAMES[a.toMove], a);
    Object.assign(board, { noLast: true, clickAll: true });
    if (!a.answer) return { board, click, status: five ? "the position holds a five" : "" };
    board.marked = [...a.answer.move, a.answer.colour];
    board.named = a.answer.thoughts.squares;
    const [x, y] = a.answer.move;
    const side = COLOUR_NAMES[a.answer.colour];
    const heading = `${side} to move: the engine plays ${squareName(x, y)} (${x},${y})`;
    return { board, click, thoughts: a.answer.thoughts, heading, status: heading };
  },
  render(s) {
    const a = s.analyse;
    $("#ask").disabled = a.asking;
    $("#stop").disabled = !a.asking;
    $("#play-answer").disabled = !a.answer || a.asking;
    $("#position-line").textContent = positionLine(a);
  },
  leave: stop,
};
