// The Replay tab: the games of a match file, stepped through move by move.

import { readRecords, recordStones } from "../records.js";
import { $, state, update, showStatus } from "../state.js";

// A step or another game shows that game's own line again.
const NO_STATUS = { text: "", problem: false };

// Any record file (match.py's JSON lines, SGF, PSQ), found by content: the games, each with
// .stones [[x, y, colour]], and one line for each game that could not be read.
export function parseMatch(text, name = "the file") {
  const { games, errors } = readRecords(text, name);
  for (const record of games) record.stones = recordStones(record);
  return { records: games, problems: errors };
}

function showRecords(name, { records, problems }) {
  const shown = records.length ? records[0].stones.length : 0;
  update({ replay: { records, index: records.length ? 0 : -1, shown, problems } });
  if (problems.length) {
    const more = problems.length > 1 ? ` (and ${problems.length - 1} more below)` : "";
    showStatus(problems[0] + more, true);
  } else {
    showStatus(records.length ? "" : `${name}: no games`, !records.length);
  }
}

function chooseGame(index) {
  const record = state.replay.records[index];
  update({ replay: { ...state.replay, index, shown: record.stones.length }, status: NO_STATUS });
}

function stepTo(to) {
  const record = state.replay.records[state.replay.index];
  if (!record) return;
  const shown = Math.max(0, Math.min(record.stones.length, to));
  update({ replay: { ...state.replay, shown }, status: NO_STATUS });
}

$("#match-file").addEventListener("change", async (event) => {
  const file = event.target.files[0];
  if (file) showRecords(file.name, parseMatch(await file.text(), file.name));
});
$("#first").addEventListener("click", () => stepTo(0));
$("#prev").addEventListener("click", () => stepTo(state.replay.shown - 1));
$("#next").addEventListener("click", () => stepTo(state.replay.shown + 1));
$("#last").addEventListener("click", () => stepTo(Infinity));
document.addEventListener("keydown", (event) => {
  if (state.mode !== "replay" || event.target.tagName === "INPUT") return;
  const shown = state.replay.shown;
  const to = { ArrowLeft: shown - 1, ArrowRight: shown + 1, Home: 0, End: Infinity }[event.key];
  if (to === undefined) return;
  event.preventDefault();
  stepTo(to);
});

// The list of games is rebuilt only when another file is read; the chosen row follows the state.
let listed = null;

function listGames(records) {
  const body = $("#games tbody");
  body.replaceChildren();
  records.forEach((record, i) => {
    const row = body.insertRow();
    const number = record.game === undefined ? i + 1 : record.game;
    const reason = record.reason.replace(/_/g, " ");
    for (const text of [number, record.black, record.white, record.result ?? "?", reason]) {
      row.insertCell().textContent = text;
    }
    row.addEventListener("click", () => chooseGame(i));
  });
  listed = records;
  const problems = $("#record-problems");
  problems.replaceChildren(
    ...(state.replay.problems || []).map((text) => {
      const item = document.createElement("li");
      item.textContent = text;
      return item;
    }),
  );
}

function gameText(replay) {
  const record = replay.records[replay.index];
  const { black, white } = record;
  const players = `game ${replay.index + 1}: ${black} (black) against ${white} (white)`;
  if (record.result == null) return `${players}; the result is not recorded`;
  const outcome = record.winner ? `${record.winner} (${record.winner_name}) won` : "a draw";
  const reason = record.reason === "unknown" ? "" : ` by ${record.reason.replace(/_/g, " ")}`;
  return `${players}; ${record.result}, ${outcome}${reason}`;
}

export const replayPanel = {
  mode: "replay",
  thinking: false,
  view(s) {
    const { records, index, shown } = s.replay;
    const record = records[index];
    if (!record) {
      return { board: { width: 15, height: 15, stones: [] }, status: "open a match file" };
    }
    const end = shown === record.stones.length;
    const board = {
      width: record.size[0],
      height: record.size[1],
      stones: record.stones.slice(0, shown),
      five: end && record.five ? record.five : [],
    };
    return { board, status: gameText(s.replay) };
  },
  render(s) {
    const { records, index, shown } = s.replay;
    if (listed !== records) listGames(records);
    const record = records[index];
    $("#move-count").textContent = record ? `${shown} / ${record.stones.length}` : "";
    document.querySelectorAll("#games tbody tr").forEach((row, i) => {
      row.classList.toggle("chosen", i === index);
    });
  },
};
