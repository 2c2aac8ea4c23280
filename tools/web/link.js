// The board in the page's address: the tab, and the game or the position on it with the move
// shown, so that a link opens the same board, tab and move. The address follows the state at
// every redraw (replacing, not adding to, the browser's history) once restoreLink() has read
// it, when the page has its choices (rules, levels) to set. Squares are written as the board
// names them (h8), stones of a game in the order played from black, the stones of an analysed
// position by colour.

import { LETTERS, squareName } from "./board.js";
import { COLOUR_NAMES, MAX_SIDE, MIN_SIDE, anyFive, boardOf, cell, mover } from "./rules.js";
import { place, recordResult, result } from "./rules.js";
import { $, showStatus, state, update } from "./state.js";

const MODES = ["play", "watch", "replay", "analyse"];
// A finished game's winner in the address: black, white or none (a draw).
const WINNERS = ["black", "white", "none"];
const SIZE = /^(\d+)(?:x(\d+))?$/;
const SQUARE = /([a-t])(\d{1,2})/g;
const SQUARES = /^(?:[a-t]\d{1,2})*$/;

const sizeText = (width, height) => (width === height ? `${width}` : `${width}x${height}`);
const squaresText = (stones) => stones.map(([x, y]) => squareName(x, y)).join("");

// The address's fields for what the state shows: a URLSearchParams.
function fields(s) {
  const out = new URLSearchParams({ tab: s.mode });
  const game = (size, rule, stones) => {
    out.set("size", sizeText(...size));
    if (rule && rule !== "exact5") out.set("rule", rule);
    out.set("moves", squaresText(stones));
  };
  const ending = (black, white, winner, reason) => {
    out.set("black", black);
    out.set("white", white);
    if (winner) out.set("winner", winner);
    if (reason && reason !== "unknown") out.set("reason", reason);
  };
  if (s.mode === "analyse") {
    const a = s.analyse;
    out.set("size", sizeText(a.width, a.height));
    const rule = $("#analyse-form").elements.rule.value;
    if (rule !== "exact5") out.set("rule", rule);
    for (const colour of [1, 2]) {
      const stones = a.stones.filter((stone) => stone[2] === colour);
      out.set(COLOUR_NAMES[colour], squaresText(stones));
    }
    out.set("to", COLOUR_NAMES[a.toMove]);
  } else if (s.mode === "replay") {
    const record = s.replay.records[s.replay.index];
    if (!record) return out;
    game(record.size, record.rule, record.stones);
    out.set("shown", s.replay.shown);
    out.set("opening", record.opening.length);
    out.set("game", record.game ?? s.replay.index + 1);
    const known = record.result != null;
    ending(record.black, record.white, known && (record.winner || "none"), record.reason);
  } else if (s.game && s.game.stones.length) {
    const g = s.game;
    game([g.width, g.height], g.rule, g.stones);
    const winner = g.result && (g.result.winner || "none");
    ending(g.black, g.white, winner, g.result && g.result.reason);
  }
  return out;
}

let written = null; // null until the address has been read

// Keeps the address in step with the state.
export function writeLink(s) {
  if (written === null) return;
  const hash = `#${fields(s)}`;
  if (hash === written) return;
  written = hash;
  history.replaceState(null, "", hash);
}

function readSize(text) {
  const match = SIZE.exec(text || "");
  if (!match) throw new Error("no board size");
  const [width, height] = [Number(match[1]), Number(match[2] || match[1])];
  if ([width, height].some((side) => side < MIN_SIDE || side > MAX_SIDE)) {
    throw new Error(`board size must be ${MIN_SIDE}..${MAX_SIDE}`);
  }
  return [width, height];
}

// The squares of a text of square names, checked against the board of the stones before.
function readSquares(text, board) {
  if (!SQUARES.test(text)) throw new Error(`unreadable squares: ${text.slice(0, 40)}`);
  return [...text.matchAll(SQUARE)].map(([name, letter, number]) => {
    const [x, y] = [LETTERS.indexOf(letter), Number(number) - 1];
    if (x >= board.width || y < 0 || y >= board.height) throw new Error(`${name} is off the board`);
    if (cell(board, x, y)) throw new Error(`${name} is taken twice`);
    place(board, x, y, 3);
    return [x, y];
  });
}

// A game of the link as a record of match.py's JSON lines, as the replay panel keeps it.
function linkedRecord(params, width, height) {
  const rule = params.get("rule") || "exact5";
  const board = boardOf(width, height);
  const stones = readSquares(params.get("moves") || "", board).map(([x, y], i) => [x, y, mover(i)]);
  const opening = Math.min(stones.length, Number(params.get("opening")) || 0);
  const known = WINNERS.includes(params.get("winner"));
  const winner = known && params.get("winner") !== "none" ? params.get("winner") : null;
  const names = { black: params.get("black") || "black", white: params.get("white") || "white" };
  const reason = params.get("reason") || "unknown";
  const five = reason === "five" ? anyFive(boardOf(width, height, stones), rule) : null;
  return {
    game: Number(params.get("game")) || 1,
    ...names,
    size: [width, height],
    rule,
    opening: stones.slice(0, opening).map(([x, y]) => [x, y]),
    moves: stones.slice(opening).map(([x, y, c]) => ({ colour: COLOUR_NAMES[c], x, y, ms: 0 })),
    winner,
    winner_name: winner ? names[winner] : null,
    result: known ? recordResult(winner) : null,
    reason,
    stones,
    ...(five ? { five } : {}),
  };
}

function restoreAnalysed(params, width, height) {
  const board = boardOf(width, height);
  const stones = [];
  for (const colour of [1, 2]) {
    const squares = readSquares(params.get(COLOUR_NAMES[colour]) || "", board);
    stones.push(...squares.map(([x, y]) => [x, y, colour]));
  }
  const toMove = params.get("to") === "white" ? 2 : 1;
  const form = $("#analyse-form");
  form.elements.width.value = width;
  form.elements.height.value = height;
  form.elements.rule.value = params.get("rule") || "exact5";
  form.elements.to_move.value = COLOUR_NAMES[toMove];
  update({ analyse: { ...state.analyse, width, height, stones, toMove, answer: null } });
}

function restoreGame(mode, record) {
  const form = $(`#${mode}-form`);
  [form.elements.width.value, form.elements.height.value] = record.size;
  form.elements.rule.value = record.rule;
  if (!record.stones.length) return;
  const names = { black: record.black, white: record.white };
  const winner = record.winner === "black" ? 1 : record.winner === "white" ? 2 : null;
  const ended = record.result ? result(winner, record.reason, "", names) : null;
  const game = {
    id: "link",
    mode,
    width: record.size[0],
    height: record.size[1],
    rule: record.rule,
    ...names,
    stones: record.stones,
    over: true,
    result: ended,
    five: record.five || [],
    thoughts: null,
    next: null,
  };
  const unfinished = `a game from a link, unfinished after ${game.stones.length} moves`;
  update({ game, status: { text: ended ? ended.text : unfinished, problem: false } });
}

// Shows what the address names, if it names anything; a link that cannot be read is said so.
export function restoreLink() {
  written = "";
  const params = new URLSearchParams(location.hash.slice(1));
  const mode = params.get("tab");
  if (!MODES.includes(mode)) return;
  update({ mode, status: { text: "", problem: false } });
  if (!params.has("size")) return;
  try {
    const [width, height] = readSize(params.get("size"));
    if (mode === "analyse") return restoreAnalysed(params, width, height);
    const record = linkedRecord(params, width, height);
    if (mode !== "replay") return restoreGame(mode, record);
    const asked = Number(params.get("shown") ?? record.stones.length);
    const shown = Number.isInteger(asked) ? Math.max(0, Math.min(record.stones.length, asked)) : 0;
    update({ replay: { records: [record], index: 0, shown, problems: [] } });
  } catch (error) {
    showStatus(`the link is not read: ${error.message}`, true);
  }
}

// The Copy link button: the address, which always names what the page shows.
$("#copy-link").addEventListener("click", async () => {
  writeLink(state);
  try {
    await navigator.clipboard.writeText(location.href);
    showStatus("the link to this board is copied");
  } catch {
    showStatus(`copy this link: ${location.href}`);
  }
});
