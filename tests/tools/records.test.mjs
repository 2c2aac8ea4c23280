// The page's record reader and writer (tools/web/records.js) under Node: the other tools'
// samples read right, every malformed file is refused with the same message as the Python
// tools give, and a game written as SGF and as PSQ reads back as the same game.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";

import { readRecords, recordStones, writePsq, writeSgf } from "../../tools/web/records.js";

const sample = (name) => readFileSync(new URL(`samples/${name}`, import.meta.url), "utf8");

test("the other tools' files read right", () => {
  const sgf = readRecords(sample("two-games.sgf"), "two-games.sgf");
  assert.deepEqual(sgf.errors, []);
  const [five, draw] = sgf.games;
  assert.deepEqual([five.black, five.white, five.size, five.opening], ["A", "B", [20, 20], [[18, 7], [16, 6]]]);
  assert.deepEqual(five.moves.map((m) => m.ms), [23, 41, 7, 40, 8, 38, 9, 52]);
  assert.deepEqual([five.winner, five.reason, five.five], ["white", "five", [12, 13, 14, 15, 16].map((x) => [x, 6])]);
  assert.deepEqual([draw.game, draw.black, draw.size, draw.result, draw.moves.length], [2, "one]two", [15, 10], "1/2-1/2", 5]);
  const psq = readRecords(sample("white-five.psq"), "white-five.psq");
  assert.deepEqual(psq.errors, []);
  assert.deepEqual([psq.games[0].white, psq.games[0].winner, psq.games[0].opening], ["pbrain-yixin.exe", "white", [[9, 10], [10, 9]]]);
  const bare = readRecords(sample("no-names.psq"), "no-names.psq").games[0];
  assert.deepEqual([bare.size, bare.black, bare.result], [[12, 9], "black", null]);
});

test("each malformed file is refused with its message, the other games kept", () => {
  for (const { case: name, text, error, games } of JSON.parse(sample("malformed.json"))) {
    const read = readRecords(text, "x");
    assert.deepEqual(read.errors, [error], name);
    assert.equal(read.games.length, games, name);
  }
});

test("a game written as SGF and PSQ reads back alike, square and rectangular", () => {
  const [five] = readRecords(sample("two-games.sgf"), "s").games;
  const games = [five, { ...readRecords(sample("no-names.psq"), "p").games[0], winner: "black", winner_name: "black",
                         result: "1-0", reason: "time_forfeit", game: 7 }];
  for (const game of games) {
    const sgf = readRecords(writeSgf(game, new Date(2026, 11, 7, 16, 19, 41)), "w.sgf");
    assert.deepEqual(sgf.errors, []);
    assert.deepEqual(sgf.games, [game]);
    assert.match(writeSgf(game), /^\(;FF\[4\]GM\[4\]GN\[\d+\]EV\[.* x .*\]DT\[\d{4}\.\d\d\.\d\d \d\d:\d\d:\d\d\]RO\[/);
    const psq = readRecords(writePsq(game), "w.psq").games[0];
    assert.deepEqual(recordStones(psq), recordStones(game));
    assert.deepEqual([psq.black, psq.white, psq.size, psq.opening], [game.black, game.white, game.size, game.opening]);
  }
  assert.match(writeSgf(games[1]), /SZ\[12:9\].*RE\[B\+1\]TE\[Black win by time forfeit\]/);
});
