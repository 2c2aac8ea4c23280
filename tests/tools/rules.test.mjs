// The page's judges (tools/web/rules.js, renju.js) under Node against the tables the tools and
// the engine's tests read (tests/rules/): every five and winning-square claim of positions.txt
// by its rule (the three claims are the engine's and the Python tools'), and every forbidden
// point of the renju tables with its reason, the tournament manager's own sample among them.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";

import { forbiddenPoints } from "../../tools/web/renju.js";
import { boardOf, cell, fiveThrough } from "../../tools/web/rules.js";

// [line number, text] of a table's positions.
function tableLines(name) {
  const text = readFileSync(new URL(`../rules/${name}`, import.meta.url), "utf8");
  return text
    .split("\n")
    .map((line, i) => [i + 1, line.trim()])
    .filter(([, line]) => line && !line.startsWith("#"));
}

const boardFrom = (width, height, stones) =>
  boardOf(
    Number(width),
    Number(height),
    stones.map((stone) => stone.split(",").map(Number)),
  );

function colours(board, rule) {
  const found = new Set();
  for (let x = 0; x < board.width; x++) {
    for (let y = 0; y < board.height; y++) {
      if (cell(board, x, y) && fiveThrough(board, x, y, rule)) found.add(cell(board, x, y));
    }
  }
  return [...found];
}

function winningSquares(board, colour, rule) {
  const squares = [];
  for (let x = 0; x < board.width; x++) {
    for (let y = 0; y < board.height; y++) {
      const index = x * board.height + y;
      if (board.cells[index]) continue;
      board.cells[index] = colour;
      if (fiveThrough(board, x, y, rule)) squares.push(`${x},${y}`);
      board.cells[index] = 0;
    }
  }
  return squares.join(";") || "-";
}

test("fives and winning squares by the rule", () => {
  let claims = 0;
  for (const [number, line] of tableLines("positions.txt")) {
    const [position, claimText] = line.split("|");
    const [rule, width, height, ...stones] = position.trim().split(/\s+/);
    const board = boardFrom(width, height, stones);
    for (const claim of claimText.trim().split(/\s+/)) {
      const [kind, value] = claim.split("=");
      if (kind === "five") {
        assert.deepEqual(
          colours(board, rule),
          value === "0" ? [] : [Number(value)],
          `line ${number}`,
        );
      } else if (kind === "wins") {
        const [colour, where] = value.split(":");
        assert.equal(winningSquares(board, Number(colour), rule), where, `line ${number}`);
      } else {
        continue;
      }
      claims++;
    }
  }
  assert.ok(claims > 30, `${claims} claims checked`);
});

test("renju's forbidden points with their reasons", () => {
  for (const name of ["renju_positions.txt", "renju_judge_sample.txt"]) {
    for (const [number, line] of tableLines(name)) {
      const [position, points] = line.split("|");
      const [width, height, ...stones] = position.trim().split(/\s+/);
      const found = forbiddenPoints(boardFrom(width, height, stones))
        .map(([x, y, reason]) => `${x},${y}:${reason.replace("_", "-")}`)
        .join(" ");
      assert.equal(found || "-", points.trim(), `${name} line ${number}`);
    }
  }
});
