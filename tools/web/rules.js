// The manager's rules in the page, as the Python tools judge a game: a move is on the board
// and on a free square; the winning line is the rule's (exact5, freestyle, caro, renju; renju's
// fouls are renju.js's); a full board is a draw. Colours are 1 black (the side that plays
// first) and 2 white.

import { forbidden } from "./renju.js";

export const COLOUR_NAMES = { 1: "black", 2: "white" };
// The sides of a board the engine and the tools take.
export const MIN_SIDE = 5;
export const MAX_SIDE = 20;
// The four line directions; each is followed both ways from a stone.
const DIRECTIONS = [
  [1, 0],
  [0, 1],
  [1, 1],
  [1, -1],
];
// The rules by name: {info, label, wins} (the number a brain is sent as INFO rule, a label
// and who wins), from rules.json (which the Python tools read too), in its order, the default
// first: filled in by loadRules before the page starts, or by setRules where there is no fetch.
export const RULES = {};

export function setRules(table) {
  for (const { name, ...rule } of table.rules) RULES[name] = rule;
}

export async function loadRules() {
  const response = await fetch("rules.json");
  if (!response.ok) throw new Error(`rules.json: HTTP ${response.status}`);
  setRules(await response.json());
}

// The endings of a lost game in words, from outcomes.json (which the Python tools read too):
// filled in by loadOutcomes before the page starts, or by setOutcomes where there is no fetch.
export const LOSSES = {};

export function setOutcomes(table) {
  Object.assign(LOSSES, table.losses);
}

export async function loadOutcomes() {
  const response = await fetch("outcomes.json");
  if (!response.ok) throw new Error(`outcomes.json: HTTP ${response.status}`);
  setOutcomes(await response.json());
}

export const other = (colour) => 3 - colour;

// A board of width x height with its stones [[x, y, colour]] in the order played.
export function boardOf(width, height, stones = []) {
  const board = { width, height, cells: new Int8Array(width * height) };
  for (const [x, y, colour] of stones) place(board, x, y, colour);
  return board;
}

export const onBoard = (board, x, y) => x >= 0 && x < board.width && y >= 0 && y < board.height;
// The cells run column by column: a square's index, written here alone.
const index = (board, x, y) => x * board.height + y;
export const cell = (board, x, y) => board.cells[index(board, x, y)];
// Puts a stone of this colour on the square (0 empties it); the square is not checked.
export function place(board, x, y, colour) {
  board.cells[index(board, x, y)] = colour;
}
export const isFull = (board) => board.cells.every((colour) => colour !== 0);

// Why the square cannot take a stone, or null.
export function refusal(board, x, y) {
  if (!onBoard(board, x, y)) return `${x},${y} is off the ${board.width}x${board.height} board`;
  if (cell(board, x, y)) return `${x},${y} is taken`;
  return null;
}

// Whether an unbroken run of one colour (its squares in order along dx, dy) wins. exact5:
// exactly five, six or more is nothing; freestyle: five or more; caro: six or more, or exactly
// five unless the other colour stands on both squares beyond it (the edge shuts nothing);
// renju: black exactly five, white five or more.
function winsByRule(board, run, dx, dy, colour, rule) {
  if (run.length < 5) return false;
  if (run.length > 5) {
    return rule === "freestyle" || rule === "caro" || (rule === "renju" && colour === 2);
  }
  if (rule !== "caro") return true;
  const [[x0, y0], [x1, y1]] = [run[0], run[run.length - 1]];
  const shut = ([x, y]) => onBoard(board, x, y) && cell(board, x, y) === other(colour);
  return !(shut([x0 - dx, y0 - dy]) && shut([x1 + dx, y1 + dy]));
}

// The winning run through the stone at (x, y) by the rule, or null.
export function fiveThrough(board, x, y, rule) {
  const colour = cell(board, x, y);
  for (const [dx, dy] of DIRECTIONS) {
    const run = [[x, y]];
    for (const sign of [1, -1]) {
      let [cx, cy] = [x + sign * dx, y + sign * dy];
      while (onBoard(board, cx, cy) && cell(board, cx, cy) === colour) {
        run.push([cx, cy]);
        [cx, cy] = [cx + sign * dx, cy + sign * dy];
      }
    }
    run.sort((a, b) => a[0] - b[0] || a[1] - b[1]);
    if (winsByRule(board, run, dx, dy, colour, rule)) return run;
  }
  return null;
}

// The renju foul (double_three, double_four, overline) that a stone of this colour plays on
// the empty (x, y), or null: only black's stones under renju can be fouls.
export const foulOf = (board, x, y, colour, rule) =>
  rule === "renju" && colour === 1 ? forbidden(board, x, y) : null;

// Places the stone on the empty (x, y) and tells what it decides, as the tools' judge.py:
// ["five", the winning run] when it wins; [the foul, null] when it is renju black's double
// three, double four or overline, which loses; [null, null] when the game goes on.
export function playStone(board, x, y, colour, rule) {
  const foul = foulOf(board, x, y, colour, rule);
  place(board, x, y, colour);
  const five = fiveThrough(board, x, y, rule);
  return five ? ["five", five] : [foul, null];
}

// The first winning run on the board, or null.
export function anyFive(board, rule) {
  for (let x = 0; x < board.width; x++) {
    for (let y = 0; y < board.height; y++) {
      const five = cell(board, x, y) && fiveThrough(board, x, y, rule);
      if (five) return five;
    }
  }
  return null;
}

// The result of a game as the page shows it: {winner, reason, detail, text}. names: the
// players by colour name.
export function result(winner, reason, detail, names) {
  let text;
  if (!winner) {
    text = `draw (${reason.replace(/_/g, " ")})`;
  } else if (reason === "five") {
    text = `${COLOUR_NAMES[winner]} (${names[COLOUR_NAMES[winner]]}) wins with five in a row`;
  } else {
    const loser = COLOUR_NAMES[other(winner)];
    const why = LOSSES[reason] || reason;
    text = `${loser} (${names[loser]}) loses by ${why}${detail ? ` (${detail})` : ""}`;
  }
  return { winner: winner ? COLOUR_NAMES[winner] : null, reason, detail, text };
}

// A game's result as its records write it: the winner "black", "white" or null (a draw).
export const recordResult = (winner) => ({ black: "1-0", white: "0-1" })[winner] || "1/2-1/2";

// The colour of the stone after this many: black plays first, then the colours alternate.
export const mover = (count) => 1 + (count % 2);

// A random built-in opening (tools/web/openings.json: offsets from the centre, played from
// black) among those that fit the board without a five; [] when none fits.
export async function randomOpening(width, height, rule) {
  const response = await fetch("openings.json");
  if (!response.ok) throw new Error(`openings.json: HTTP ${response.status}`);
  const [cx, cy] = [Math.floor(width / 2), Math.floor(height / 2)];
  const fitting = (await response.json()).builtin
    .map((offsets) => offsets.map(([dx, dy], i) => [cx + dx, cy + dy, mover(i)]))
    .filter((stones) => {
      const board = boardOf(width, height);
      for (const [x, y, colour] of stones) {
        if (refusal(board, x, y)) return false;
        place(board, x, y, colour);
      }
      return !anyFive(board, rule);
    });
  return fitting.length ? fitting[Math.floor(Math.random() * fitting.length)] : [];
}
