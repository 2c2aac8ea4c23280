// The Analyse tab's analysis beside the board: an evaluation bar for the side to move, the
// deepest report in words, and the candidates with their scores and lines; a pointer resting on
// a candidate previews its line on the board (numbered ghost stones).
// analysis: {colour: the side to move, depths: readDepths(...)} or null.

import { scaled, scoreWords } from "./analysis.js";
import { squareName } from "./board.js";
import { COLOUR_NAMES, other } from "./rules.js";
import { $ } from "./state.js";

// The candidate list is rebuilt only when another report comes, so that the item under the
// pointer stays while its preview redraws the board.
let listed = null;

// The score in words from the side to move's side, its value on the scale and the raw score.
function scoreText(candidate, colour) {
  const [side, rival] = [COLOUR_NAMES[colour], COLOUR_NAMES[other(colour)]];
  const bound = candidate.exact ? "" : "at most: ";
  const value = scaled(candidate.score);
  const signed = `${value >= 0 ? "+" : ""}${value.toFixed(2)}`;
  return `${bound}${scoreWords(candidate.score, side, rival)} (${signed}; ${candidate.score})`;
}

// The stones of a line, its first the side to move's: [[x, y, colour]].
export function lineStones(line, colour) {
  return line.map(([x, y], i) => [x, y, i % 2 ? other(colour) : colour]);
}

// The deepest report, or null.
export const latest = (analysis) =>
  analysis && analysis.depths.length ? analysis.depths[analysis.depths.length - 1] : null;

export function showAnalysis(analysis, preview) {
  const section = $("#analysis");
  const report = latest(analysis);
  section.hidden = !report;
  if (!report || listed === report) return;
  listed = report;
  const best = report.candidates[0];
  const side = COLOUR_NAMES[analysis.colour];
  const fill = ((1 + scaled(best.score)) / 2) * 100;
  $("#evaluation-bar").firstElementChild.style.width = `${fill}%`;
  $("#evaluation-bar").title = `${side} to move: ${fill.toFixed(0)}% of the bar`;
  const searched = report.depth ? `depth ${report.depth}` : "decided without a search";
  $("#analysis-summary").textContent =
    `${side} to move, ${searched}: ${scoreText(best, analysis.colour)}`;
  const list = $("#candidates");
  list.replaceChildren(
    ...report.candidates.map((candidate, i) => {
      const item = document.createElement("li");
      const [x, y] = candidate.line[0];
      const move = document.createElement("strong");
      move.textContent = squareName(x, y);
      const line = document.createElement("code");
      line.textContent = candidate.line.map(([lx, ly]) => squareName(lx, ly)).join(" ");
      item.append(move, " ", scoreText(candidate, analysis.colour), " ", line);
      item.classList.toggle("bound", !candidate.exact);
      item.addEventListener("mouseenter", () => preview(i));
      item.addEventListener("mouseleave", () => preview(null));
      return item;
    }),
  );
}
