// The page's record reader and writer (tools/web/records.js) under Node: the other tools'
// samples read right, every malformed file is refused with the same message as the Python
// tools give, and a game written as SGF and as PSQ reads back as the same game.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";

import { readRecords, recordStones, writePsq, writeSgf } from "../../tools/web/records.js";
import { setOutcomes, setRules } from "../../tools/web/rules.js";

const table = (name) =>
  JSON.parse(readFileSync(new URL(`../../tools/web/${name}`, import.meta.url)));
setOutcomes(table("outcomes.json"));
setRules(table("rules.json"));

const sample = (name) => readFileSync(new URL(`samples/${name}`, import.meta.url), "utf8");

const only = (record, keys) => keys.map((key) => record[key]);

test("the other tools' files read right", () => {
  const sgf = readRecords(sample("two-games.sgf"), "two-games.sgf");
  assert.deepEqual(sgf.errors, []);
  const [five, draw] = sgf.games;
  assert.deepEqual(only(five, ["black", "white", "size", "opening"]), [
    "A",
    "B",
    [20, 20],
    [
      [18, 7],
      [16, 6],
    ],
  ]);
  assert.deepEqual(
    five.moves.map((m) => m.ms),
    [23, 41, 7, 40, 8, 38, 9, 52],
  );
  const row = [12, 13, 14, 15, 16].map((x) => [x, 6]);
  assert.deepEqual(only(five, ["winner", "reason", "five"]), ["white", "five", row]);
  const drawn = [2, "one]two", [15, 10], "1/2-1/2"];
  assert.deepEqual(only(draw, ["game", "black", "size", "result"]), drawn);
  assert.equal(draw.moves.length, 5);
  const psq = readRecords(sample("white-five.psq"), "white-five.psq");
  assert.deepEqual(psq.errors, []);
  const [won] = psq.games;
  assert.deepEqual(only(won, ["white", "winner"]), ["pbrain-south.exe", "white"]);
  assert.deepEqual(won.opening, [
    [9, 10],
    [10, 9],
  ]);
  const bare = readRecords(sample("no-names.psq"), "no-names.psq").games[0];
  assert.deepEqual(only(bare, ["size", "black", "result"]), [[12, 9], "black", null]);
});

test("a record is judged by its rule: renju's foul loses, the same stones are no end in exact5", () => {
  const { games, errors } = readRecords(sample("renju-foul.sgf"), "renju-foul.sgf");
  assert.deepEqual(errors, []);
  const kept = ["rule", "winner", "reason", "result"];
  assert.deepEqual(only(games[0], kept), ["renju", "white", "double_three", "0-1"]);
  assert.deepEqual(only(games[1], kept), ["exact5", null, "unknown", null]);
  const again = readRecords(writeSgf(games[0]), "w.sgf").games[0];
  assert.deepEqual(only(again, kept), only(games[0], kept));
  assert.match(writeSgf(games[0]), /RU\[4\].*TE\[White win by a double three\]/);
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
  const [bare] = readRecords(sample("no-names.psq"), "p").games;
  const lost = { winner: "black", winner_name: "black", result: "1-0", reason: "time_forfeit" };
  const games = [five, { ...bare, ...lost, game: 7 }];
  const root = /^\(;FF\[4\]GM\[4\]GN\[\d+\]EV\[.* x .*\]DT\[\d{4}\.\d\d\.\d\d \d\d:\d\d:\d\d\]RO\[/;
  for (const game of games) {
    const sgf = readRecords(writeSgf(game, new Date(2026, 11, 7, 16, 19, 41)), "w.sgf");
    assert.deepEqual(sgf.errors, []);
    assert.deepEqual(sgf.games, [game]);
    assert.match(writeSgf(game), root);
    const psq = readRecords(writePsq(game), "w.psq").games[0];
    assert.deepEqual(recordStones(psq), recordStones(game));
    const kept = ["black", "white", "size", "opening"];
    assert.deepEqual(only(psq, kept), only(game, kept));
  }
  assert.match(writeSgf(games[1]), /SZ\[12:9\].*RE\[B\+1\]TE\[Black win by time forfeit\]/);
});
