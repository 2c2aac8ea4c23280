// Review under the board: the in-page engine scores the position after every stone of the game
// on the board (played, watched or replayed) at the depth or node budget chosen, in the
// background with a progress bar and a stop, and the evaluation is drawn over the moves (from
// black's side, on the scale from -1 to 1); the moves that swung it most against their player
// are marked, and a click on the chart shows that move in the Replay tab. The numbers are the
// tools' (play.py --replay FILE --review): see analysis.js.

import { bestScore, reviewPositions, reviewRows, scoreWords } from "./analysis.js";
import { squareName } from "./board.js";
import { boardRecord } from "./download.js";
import { EngineStopped, TOLERANCE_MS, moveLines, openEngine, startGame } from "./engine.js";
import { recordStones } from "./records.js";
import { mover } from "./rules.js";
import { $, formValues, showStatus, state, update } from "./state.js";

const SVG = "http://www.w3.org/2000/svg";
// ms a position may take: the budget, not the clock, decides each search.
const REVIEW_MS = 60000;
const [WIDTH, HEIGHT, PAD] = [600, 140, 8];
const form = $("#review-form");

function element(name, attributes, parent) {
  const node = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
  parent.appendChild(node);
  return node;
}

// The record on the board with its stones [[x, y, colour]], or null; source: the record as
// the board has it (a replayed game's own).
function reviewedRecord() {
  const source = boardRecord(state);
  return source && { ...source, stones: source.stones || recordStones(source), source };
}

async function review() {
  if (state.reviewing) return;
  const record = reviewedRecord();
  if (!record || !record.stones.length) return showStatus("no game on the board to review", true);
  if (!state.inPage) return showStatus(state.noEngine || "the in-page engine is not here", true);
  const { depth, nodes } = formValues(form);
  if (!depth && !nodes) return showStatus("choose a depth or a node budget for the review", true);
  const [width, height] = record.size;
  const rule = record.rule || "exact5";
  const ended = reviewPositions(width, height, record.stones, rule);
  const engine = openEngine();
  const stop = () => engine.close();
  const scores = [];
  const shown = (done) => ({ record, rows: reviewRows(record.stones, scores), done, depth, nodes });
  update({ reviewing: stop, review: shown(0) });
  try {
    const cfg = { width, height, rule, timeoutTurn: REVIEW_MS, maxDepth: depth, maxNode: nodes };
    await startGame(engine, cfg);
    await engine.request(["YXNBEST 1"]);
    for (let count = 1; count <= record.stones.length; count++) {
      let score = ended[count - 1];
      if (score === null) {
        const side = mover(count);
        const lines = moveLines(record.stones.slice(0, count), 0, side);
        const reply = await engine.request(lines, "move", REVIEW_MS + TOLERANCE_MS);
        const own = bestScore(reply.lines);
        score = own === null ? null : side === 1 ? own : -own;
      }
      scores.push(score);
      update({ review: shown(count) });
    }
  } catch (error) {
    if (!(error instanceof EngineStopped)) showStatus(`the review failed: ${error.message}`, true);
  } finally {
    engine.close();
    update({ reviewing: null });
  }
}

// Shows the move in the Replay tab: the replayed game's own, or the reviewed game alone.
function goTo(move) {
  const { record } = state.review;
  const replayed = state.replay.records[state.replay.index];
  if (state.mode !== "replay" || replayed !== record.source) {
    $('.tab[data-mode="replay"]').click();
    update({ replay: { records: [record], index: 0, shown: move, problems: [] } });
  } else {
    update({ replay: { ...state.replay, shown: move } });
  }
}

function rowText(row) {
  const side = `${row.move}. ${row.colour} ${squareName(row.x, row.y)}`;
  if (row.score === null) return `${side}: no score`;
  const value = `${row.value >= 0 ? "+" : ""}${row.value.toFixed(2)}`;
  return `${side}: ${scoreWords(row.score, "black", "white")} (${value}; ${row.score})`;
}

function drawChart(svg, review, shownMove) {
  svg.replaceChildren();
  svg.setAttribute("viewBox", `0 0 ${WIDTH} ${HEIGHT}`);
  svg.setAttribute("preserveAspectRatio", "none");
  const total = review.record.stones.length;
  const step = (WIDTH - 2 * PAD) / total;
  const x = (move) => PAD + (move - 0.5) * step;
  const y = (value) => HEIGHT / 2 - value * (HEIGHT / 2 - PAD);
  element("line", { class: "axis", x1: PAD, y1: y(0), x2: WIDTH - PAD, y2: y(0) }, svg);
  const points = review.rows.map((row) => `${x(row.move)},${y(row.value)}`);
  element("polyline", { class: "curve", points: points.join(" ") }, svg);
  for (const row of review.rows) {
    const at = { "data-move": row.move };
    const column = {
      class: "column",
      x: x(row.move) - step / 2,
      y: 0,
      width: step,
      height: HEIGHT,
    };
    const target = element("rect", { ...column, ...at }, svg);
    element("title", {}, target).textContent = rowText(row);
    target.addEventListener("click", () => goTo(row.move));
    const kind = `point${row.marked ? " swing" : ""}${row.move === shownMove ? " shown" : ""}`;
    const point = element(
      "circle",
      {
        class: kind,
        cx: x(row.move),
        cy: y(row.value),
        r: 3.5,
        ...at,
        "data-score": row.score ?? "",
        "data-value": row.value,
        "data-swing": row.swing,
      },
      svg,
    );
    point.addEventListener("click", () => goTo(row.move));
  }
}

// The chart is redrawn only when the review or the move shown changes.
let drawn = { review: null, move: null };

export function renderReview(s) {
  $("#review").hidden = !$("#review").dataset.modes.split(" ").includes(s.mode);
  $("#review-start").disabled = Boolean(s.reviewing);
  $("#review-stop").disabled = !s.reviewing;
  const r = s.review;
  const progress = $("#review-progress");
  progress.hidden = !s.reviewing;
  $("#review-chart").hidden = !r;
  if (!r) return ($("#review-summary").textContent = "");
  progress.max = r.record.stones.length;
  progress.value = r.done;
  const shownMove = s.mode === "replay" ? s.replay.shown : null;
  if (drawn.review !== r || drawn.move !== shownMove) {
    drawChart($("#review-chart"), r, shownMove);
    drawn = { review: r, move: shownMove };
  }
  const budget = [r.depth && `depth ${r.depth}`, r.nodes && `${r.nodes} nodes`].filter(Boolean);
  const marked = r.rows.filter((row) => row.marked);
  const swings = marked.map(
    (row) => `${row.move}. ${row.colour} ${squareName(row.x, row.y)} (${row.swing.toFixed(2)})`,
  );
  $("#review-summary").textContent =
    `${r.done} of ${r.record.stones.length} positions scored at ${budget.join(" and ")}, ` +
    "from black's side. " +
    (swings.length ? `Swung most against their player: ${swings.join(", ")}.` : "");
}

form.addEventListener("submit", (event) => {
  event.preventDefault();
  review();
});
$("#review-stop").addEventListener("click", () => state.reviewing && state.reviewing());
