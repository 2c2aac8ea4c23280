// The engine's analysis (the MESSAGE NBEST lines that YXNBEST asks for) read back, its scores
// in words, and a game's review numbers, as the Python tools give them
// (tools/fivefold_tools/words/analysis.py and review.py), from the table both read
// (engine_words.json, loaded by words.js). No DOM: the Review and the Analyse tab draw them.

import { boardOf, isFull, playStone } from "./rules.js";
import { wordsTable } from "./words.js";

const NBEST_LINE = /^(?:MESSAGE\s+)?NBEST D:(\d+) K:(\d+) E:(<=)?(-?\d+) L:(.*)$/i;
// The score of a position that a five ended, from the winner's side.
export const WON = 1000000;

const table = () => wordsTable().analysis;

// The analysis's reports in the order given, one per depth (a rank 1 begins the next):
// [{depth, candidates: [{rank, score, exact, line: [[x, y]]}]}].
export function readDepths(lines) {
  const depths = [];
  for (const text of lines) {
    const found = text.trim().match(NBEST_LINE);
    if (!found) continue;
    const [, depth, rank, bound, score, squares] = found;
    if (Number(rank) === 1 || !depths.length) depths.push({ depth: Number(depth), candidates: [] });
    const line = squares
      .split(/\s+/)
      .filter(Boolean)
      .map((word) => word.split(",").map(Number));
    depths[depths.length - 1].candidates.push({
      rank: Number(rank),
      score: Number(score),
      exact: !bound,
      line,
    });
  }
  return depths;
}

// The score of the last report's best move, or null without a report.
export function bestScore(lines) {
  const depths = readDepths(lines);
  return depths.length ? depths[depths.length - 1].candidates[0].score : null;
}

// The score on the scale from -1 to 1: a decided one at its end.
export function scaled(score) {
  if (Math.abs(score) > wordsTable().decided) return score > 0 ? 1 : -1;
  return score / (Math.abs(score) + table().scale);
}

// For a decided score: how many moves of its own the side it favours needs to make five (1:
// the next); 0 when it has won.
export function movesToFive(score) {
  const four = table().four;
  return Math.abs(score) > four ? 0 : Math.floor((four - Math.abs(score)) / 2) + 1;
}

// The score in words for the side it is from (side) against the other (other).
export function scoreWords(score, side, other) {
  const t = table();
  if (Math.abs(score) > wordsTable().decided) {
    const winner = score > 0 ? side : other;
    const moves = movesToFive(score);
    if (!moves) return t.won.replace("{side}", winner);
    const count = `${moves} move${moves > 1 ? "s" : ""}`;
    return t.win.replace("{side}", winner).replace("{moves}", count);
  }
  const value = scaled(score);
  const [, text] = t.standing.find(([bound]) => Math.abs(value) < bound);
  return text.replace("{side}", value > 0 ? side : other);
}

// The score from black's side of the position after the stone [x, y, colour] is played on
// board, when that stone ends the game (a five wins for its side, a renju foul loses for
// black, a full board is even); else null. Plays the stone.
export function endedScore(board, [x, y, colour], rule) {
  const [ending] = playStone(board, x, y, colour, rule);
  if (ending) {
    const blackWins = ending === "five" ? colour === 1 : false;
    return blackWins ? WON : -WON;
  }
  return isFull(board) ? 0 : null;
}

// The positions a review asks about: for each stone [[x, y, colour]] of the game, in order,
// the score it ended the game with (from black's side), or null when the engine is to score
// the position after it.
export function reviewPositions(width, height, stones, rule) {
  const board = boardOf(width, height);
  return stones.map((stone) => endedScore(board, stone, rule));
}

// One row per stone scored so far: its number, colour and square, the score (from black's side, null for no
// score: the value stays the one before) and its value on the scale, its swing against its
// player, and whether it is marked among the largest swings.
export function reviewRows(stones, scores) {
  let before = 0; // the empty board stands even
  const rows = scores.map((score, i) => {
    const [x, y, colour] = stones[i];
    const value = score === null ? before : scaled(score);
    const swing = colour === 1 ? before - value : value - before;
    before = value;
    return { move: i + 1, colour: colour === 1 ? "black" : "white", x, y, score, value, swing };
  });
  const ranked = [...rows].sort((a, b) => b.swing - a.swing); // stable: earlier moves first
  for (const row of rows) row.marked = false;
  for (const row of ranked.slice(0, table().marked)) row.marked = row.swing >= table().least_swing;
  return rows;
}
