// Game records the page reads and writes, without the DOM: the match runner's JSON lines,
// SGF (GM[4], one or many games) and PSQ (one game), told apart by content. Every game comes
// out in the shape of the match runner's JSON lines (names, size, rule, opening, moves with
// colour and ms, result); a game that cannot be read becomes one line naming the file, the
// game and the move, and the other games of the file are still read. The same rules and
// messages as the tools' Python readers (tools/fivefold_tools/rules/).

import {
  COLOUR_NAMES,
  LOSSES,
  MAX_SIDE,
  MIN_SIDE,
  RULES,
  boardOf,
  cell,
  isFull,
  mover,
  onBoard,
  playStone,
  recordResult,
} from "./rules.js";

const COLOURS = ["black", "white"];
const UNKNOWN = "unknown";
const LETTERS = "abcdefghijklmnopqrstuvwxyz";
const OPENING_COMMENT = "opening move";
// How a game ended, in the words of SGF's TE[...] after "Black win by" or "Draw by".
const reasonWords = () => ({
  five: "five connection",
  full_board: "full board",
  move_limit: "move limit",
  ...LOSSES,
});
const stoneColour = (count) => COLOUR_NAMES[mover(count)];

class RecordError extends Error {
  constructor(message, move = 0) {
    super(message);
    this.move = move;
  }
}

function checkSize(width, height, text) {
  const fits = (side) => Number.isInteger(side) && side >= MIN_SIDE && side <= MAX_SIDE;
  if (!fits(width) || !fits(height)) {
    throw new RecordError(`${text}: board sides must be ${MIN_SIDE}..${MAX_SIDE}`);
  }
}

// The record of a game from its stones [{x, y, colour, text, ms}], the first `opening` of
// them placed before the players took over. winner: "black", "white", null (a draw) or
// UNKNOWN (the board decides: a five wins, a full board is a draw).
function buildRecord(size, stones, opening, names, rule = "exact5", winner = UNKNOWN, reason) {
  const [width, height] = size;
  const board = boardOf(width, height);
  let [ending, five] = [null, null];
  stones.forEach(({ x, y, colour, text }, i) => {
    const number = i + 1;
    if (ending) {
      const what = five ? "five" : `foul ${stones[i - 1].text}`;
      throw new RecordError(`${text} comes after the ${what}`, number);
    }
    if (colour !== stoneColour(i)) {
      throw new RecordError(`${text}: ${colour} is not to move`, number);
    }
    if (!onBoard(board, x, y)) {
      throw new RecordError(`${text} is off the ${width}x${height} board`, number);
    }
    if (cell(board, x, y)) throw new RecordError(`${text} is on a taken square`, number);
    [ending, five] = playStone(board, x, y, mover(i), rule);
  });
  const full = isFull(board);
  // The winner the last stone decides: its own side by a five, white by black's foul.
  const decided = five ? stones[stones.length - 1].colour : ending ? "white" : null;
  if (winner === UNKNOWN && (ending || full)) winner = ending ? decided : null;
  if (!reason && winner !== UNKNOWN) {
    if (ending && winner === decided) reason = ending;
    else if (full && winner === null) reason = "full_board";
  }
  const known = winner !== UNKNOWN;
  const record = {
    black: names[0],
    white: names[1],
    size: [width, height],
    rule,
    opening: stones.slice(0, opening).map((s) => [s.x, s.y]),
    moves: stones.slice(opening).map((s) => ({ colour: s.colour, ms: s.ms || 0, x: s.x, y: s.y })),
  };
  if (five) record.five = five;
  record.winner = known ? winner : null;
  record.winner_name = known && winner ? record[winner] : null;
  record.result = known ? recordResult(winner) : null;
  record.reason = reason || UNKNOWN;
  return record;
}

// The stones of a record in the order played: [x, y, colour] with colour 1 black, 2 white.
export function recordStones(record) {
  const opening = record.opening.map(([x, y], i) => [x, y, mover(i)]);
  return opening.concat(record.moves.map((m) => [m.x, m.y, m.colour === "black" ? 1 : 2]));
}

// --- JSON lines of the match runner ---

function jsonGame(line) {
  let record;
  try {
    record = JSON.parse(line);
  } catch {
    throw new RecordError("not JSON; a truncated line?");
  }
  try {
    const [width, height] = record.size;
    checkSize(width, height, `size ${width}x${height}`);
    const stone = (x, y, colour, ms) => ({ x, y, colour, text: `${x},${y}`, ms });
    const stones = record.opening
      .map(([x, y], i) => stone(x, y, stoneColour(i), null))
      .concat(record.moves.map((m) => stone(m.x, m.y, m.colour, m.ms)));
    const names = [record.black, record.white];
    const checked = buildRecord(
      [width, height],
      stones,
      record.opening.length,
      names,
      record.rule || "exact5",
      record.winner,
      record.reason,
    );
    return { ...checked, ...record, five: record.five || checked.five };
  } catch (error) {
    if (error instanceof RecordError) throw error;
    throw new RecordError(`not a game record of the match runner (${error.message})`);
  }
}

// --- SGF ---

class SgfError extends RecordError {
  constructor(message, game, move = 0) {
    super(message, move);
    this.game = game;
  }
}

function movesIn(nodes) {
  const moves = (node) => node.filter(([key]) => key === "B" || key === "W").length;
  return nodes.reduce((sum, node) => sum + moves(node), 0);
}

// The main line of every game tree: [{nodes, fault}] with fault an SgfError that ends the
// list, each node a list of [property, values].
function parseTrees(text) {
  const trees = [];
  let at = 0;
  const skipSpace = () => {
    while (at < text.length && /\s/.test(text[at])) at += 1;
  };
  const value = (game, move, key) => {
    let out = "";
    while (at < text.length) {
      const char = text[at];
      if (char === "\\" && at + 1 < text.length) {
        out += text[at + 1];
        at += 2;
      } else if (char === "]") {
        at += 1;
        return out;
      } else {
        out += char;
        at += 1;
      }
    }
    throw new SgfError(`truncated in ${key}[...]`, game, move);
  };
  const node = (game, move) => {
    const props = [];
    for (;;) {
      skipSpace();
      const ident = /^[A-Za-z]+/.exec(text.slice(at, at + 16));
      if (!ident) return props;
      at += ident[0].length;
      const values = [];
      for (;;) {
        skipSpace();
        if (text[at] !== "[") break;
        at += 1;
        values.push(value(game, move, ident[0]));
      }
      if (!values.length) throw new SgfError(`${ident[0]} has no value`, game, move);
      props.push([ident[0].toUpperCase(), values]);
    }
  };
  const tree = (game) => {
    const nodes = [];
    let depth = 0;
    let main = true;
    while (at < text.length) {
      const char = text[at];
      if (/\s/.test(char)) {
        at += 1;
      } else if (char === ";") {
        at += 1;
        const props = node(game, movesIn(nodes) + 1);
        if (main) nodes.push(props);
      } else if (char === "(") {
        depth += 1;
        at += 1;
      } else if (char === ")") {
        at += 1;
        if (depth === 0) return nodes;
        depth -= 1;
        main = false;
      } else {
        throw new SgfError(`unexpected ${JSON.stringify(char)}`, game, movesIn(nodes));
      }
    }
    throw new SgfError("truncated: the game does not end with ')'", game, movesIn(nodes));
  };
  for (;;) {
    at = text.indexOf("(", at);
    if (at < 0) return trees;
    at += 1;
    try {
      trees.push({ nodes: tree(trees.length + 1), fault: null });
    } catch (error) {
      trees.push({ nodes: [], fault: error });
      return trees;
    }
  }
}

function letterValue(letter) {
  const lower = LETTERS.indexOf(letter);
  return lower >= 0 ? lower : 26 + LETTERS.indexOf(letter.toLowerCase());
}

function sgfResult(value) {
  const text = value.trim().toUpperCase();
  if (text.startsWith("B+")) return "black";
  if (text.startsWith("W+")) return "white";
  if (["0", "DRAW", "D", "JIGO"].includes(text)) return null;
  return UNKNOWN;
}

function sgfReason(value) {
  const words = value.replace(/^\s*(black win by|white win by|draw by)\s*/i, "").trim();
  const found = Object.entries(reasonWords()).find(([, text]) => text === words.toLowerCase());
  return found ? found[0] : words || null;
}

function sgfGame(nodes) {
  const props = {};
  const stones = [];
  let opening = 0;
  for (const node of nodes) {
    const comment = (node.find(([key]) => key === "C") || [null, [""]])[1][0];
    for (const [key, values] of node) {
      if (key === "B" || key === "W") {
        const text = `${key}[${values[0]}]`;
        if (!/^[a-zA-Z]{2}$/.test(values[0])) {
          throw new RecordError(`${text} is not a square`, stones.length + 1);
        }
        let ms = null;
        if (!comment.toLowerCase().includes(OPENING_COMMENT)) {
          const found = /(\d+(?:\.\d+)?)\s*ms/.exec(comment);
          ms = found ? Math.round(Number(found[1])) : 0;
        }
        stones.push({
          x: letterValue(values[0][0]),
          y: letterValue(values[0][1]),
          colour: key === "W" ? "white" : "black",
          text,
          ms,
        });
        if (ms === null) {
          if (opening < stones.length - 1) {
            const late = `${text}: an opening move after the game began`;
            throw new RecordError(late, stones.length);
          }
          opening += 1;
        }
      } else if (["AB", "AW", "AE"].includes(key)) {
        throw new RecordError(`${key} (set-up stones) is not read`);
      } else if (!(key in props)) {
        props[key] = values[0];
      }
    }
  }
  if ((props.GM ?? "4").trim() !== "4") {
    throw new RecordError(`GM[${props.GM}] is not five-in-a-row (GM[4])`);
  }
  if (!("SZ" in props)) throw new RecordError("no SZ[] (the board size)");
  const size = /^\s*(\d+)\s*(?::\s*(\d+)\s*)?$/.exec(props.SZ);
  if (!size) throw new RecordError(`SZ[${props.SZ}] is not a board size`);
  const width = Number(size[1]);
  const height = Number(size[2] || size[1]);
  checkSize(width, height, `SZ[${props.SZ}]`);
  const winner = "RE" in props ? sgfResult(props.RE) : UNKNOWN;
  const reason = "TE" in props && winner !== UNKNOWN ? sgfReason(props.TE) : null;
  // RU[] holds the number a brain is sent as INFO rule; one of no rule reads as the default.
  const number = (props.RU ?? "").trim();
  const known = Object.keys(RULES);
  const rule = known.find((name) => String(RULES[name].info) === number) || known[0];
  const names = [props.PB ?? "black", props.PW ?? "white"];
  const record = buildRecord([width, height], stones, opening, names, rule, winner, reason);
  if (/^\s*\d+\s*$/.test(props.GN ?? "")) record.game = Number(props.GN);
  return record;
}

// --- PSQ ---

const PSQ_HEADER = /^\s*Piskvorky\s+(\d+)\s*x\s*(\d+)\b/i;

function psqGame(text) {
  const lines = text.split(/\r?\n/);
  const header = PSQ_HEADER.exec(lines[0]);
  if (!header) throw new RecordError("the first line is not 'Piskvorky WxH, ...'");
  const [width, height] = [Number(header[1]), Number(header[2])];
  checkSize(width, height, lines[0].trim());
  const stones = [];
  const names = [];
  let opening = 0;
  for (const raw of lines.slice(1)) {
    const line = raw.trim();
    if (!line) continue;
    const move = /^(-?\d+)\s*,\s*(-?\d+)\s*(?:,\s*(-?\d+)\s*)?$/.exec(line);
    if (move && !names.length) {
      let ms = Number(move[3] || 0);
      if (ms === 0 && opening === stones.length) {
        opening += 1;
        ms = null;
      }
      const [x, y] = [Number(move[1]) - 1, Number(move[2]) - 1];
      stones.push({ x, y, colour: stoneColour(stones.length), text: line, ms });
    } else if (line === "-1") {
      break;
    } else if (/^-?\d+\s*,/.test(line)) {
      throw new RecordError(`'${line}' is not x,y,ms`, stones.length + 1);
    } else {
      names.push(line);
    }
  }
  if (names.length !== 0 && names.length !== 2) {
    throw new RecordError(`${names.length} brain names after the moves, not 2`);
  }
  return buildRecord([width, height], stones, opening, names.length ? names : COLOURS);
}

// --- any file ---

export function detect(text) {
  const start = text.replace(/^[\ufeff\s]+/, "");
  if (start.startsWith("{")) return "JSON lines";
  if (start.startsWith("(")) return "SGF";
  if (PSQ_HEADER.test(start)) return "PSQ";
  return null;
}

// What Python's str.splitlines breaks a line at, as the tools' error lines escape it.
const LINE_BREAK = /[\n\r\v\f\x1c-\x1e\x85\u2028\u2029]/g;
const escaped = (char) =>
  ({ "\n": "\\n", "\r": "\\r" })[char] || `\\u${char.charCodeAt(0).toString(16).padStart(4, "0")}`;

// FILE: game G: move M: why (game and move where known), on one line: a line break in it, as
// in a value quoted from the file, is written as an escape (\n, \r, \uXXXX).
function errorLine(name, game, error) {
  const parts = [name];
  if (game) parts.push(`game ${game}`);
  if (error.move) parts.push(`move ${error.move}`);
  return parts.concat(error.message).join(": ").replace(LINE_BREAK, escaped);
}

// {games, errors} of a file's text: the records in file order, and one line for every game
// that could not be read (or for the file as a whole).
export function readRecords(text, name) {
  const games = [];
  const errors = [];
  const attempt = (game, read) => {
    try {
      games.push({ game, ...read() });
    } catch (error) {
      if (!(error instanceof RecordError)) throw error;
      errors.push(errorLine(name, error.game || game, error));
    }
  };
  const kind = detect(text);
  if (kind === "JSON lines") {
    const lines = text.split(/\r?\n/).filter((line) => line.trim());
    lines.forEach((line, i) => attempt(i + 1, () => jsonGame(line)));
  } else if (kind === "SGF") {
    parseTrees(text).forEach(({ nodes, fault }, i) =>
      attempt(i + 1, () => {
        if (fault) throw fault;
        return sgfGame(nodes);
      }),
    );
  } else if (kind === "PSQ") {
    attempt(1, () => psqGame(text));
  } else {
    errors.push(
      errorLine(name, 0, new RecordError("neither the match runner's JSON lines, SGF nor PSQ")),
    );
  }
  if (!games.length && !errors.length) {
    errors.push(errorLine(name, 0, new RecordError("no game in the file")));
  }
  return { games, errors };
}

// --- writing ---

function sgfEscape(text) {
  return String(text).replace(/\\/g, "\\\\").replace(/]/g, "\\]");
}

function sgfDate(date) {
  const two = (n) => String(n).padStart(2, "0");
  return (
    `${date.getFullYear()}.${two(date.getMonth() + 1)}.${two(date.getDate())} ` +
    `${two(date.getHours())}:${two(date.getMinutes())}:${two(date.getSeconds())}`
  );
}

// One game as SGF text, as the match runner's SGF: the root node, then the moves.
export function writeSgf(record, date = new Date()) {
  const [width, height] = record.size;
  const game = record.game ?? 1;
  const props = [
    ["FF", 4],
    ["GM", 4],
    ["GN", game],
    ["EV", `${record.black} x ${record.white}`],
    ["DT", sgfDate(date)],
    ["RO", `${Math.floor((game + 1) / 2)}.${2 - (game % 2)}`],
    ["RU", RULES[record.rule || Object.keys(RULES)[0]].info],
    ["SZ", width === height ? width : `${width}:${height}`],
    ["PB", record.black],
    ["PW", record.white],
  ];
  if (record.result == null) {
    props.push(["RE", "?"]);
  } else {
    const draw = record.winner == null;
    props.push(["RE", draw ? "0" : record.winner === "black" ? "B+1" : "W+1"]);
    const words = reasonWords()[record.reason] || String(record.reason).replace(/_/g, " ");
    const who = draw ? "Draw" : `${record.winner[0].toUpperCase()}${record.winner.slice(1)} win`;
    props.push(["TE", `${who} by ${words}`]);
  }
  const opening = record.opening.length;
  const nodes = recordStones(record).map(([x, y, colour], i) => {
    const ms = i < opening ? null : Math.round(record.moves[i - opening].ms || 0);
    const comment = ms === null ? OPENING_COMMENT : `${ms}ms`;
    return `;${colour === 1 ? "B" : "W"}[${LETTERS[x]}${LETTERS[y]}]C[${comment}]`;
  });
  const root = props.map(([key, value]) => `${key}[${sgfEscape(value)}]`).join("");
  return `(;${root}\n${nodes.join("")})\n`;
}

// One game as PSQ text; a played move is written with at least 1 ms, so that only the
// opening's stones carry 0 and a reader can tell the opening apart.
export function writePsq(record) {
  const [width, height] = record.size;
  const opening = record.opening.length;
  const lines = [`Piskvorky ${width}x${height}, 11:11, 0`];
  recordStones(record).forEach(([x, y], i) => {
    const ms = i < opening ? 0 : Math.max(1, Math.round(record.moves[i - opening].ms || 0));
    lines.push(`${x + 1},${y + 1},${ms}`);
  });
  lines.push(record.black, record.white, "-1");
  return `${lines.join("\n")}\n`;
}
