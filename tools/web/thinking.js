// The engine's thoughts on a move beside the board: what it played, and each MESSAGE line in
// words next to the raw line. thoughts: {colour, move: [x, y], lines: [{line, text}]} or null.

import { squareName } from "./board.js";
import { $ } from "./state.js";

export function showThoughts(thoughts, heading) {
  const list = $("#lines");
  list.replaceChildren();
  $("#thought-move").textContent = "";
  if (!thoughts) return;
  const [x, y] = thoughts.move;
  const played = `${thoughts.colour} played ${squareName(x, y)} (${x},${y})`;
  $("#thought-move").textContent = heading || played;
  for (const { line, text } of thoughts.lines) {
    const item = document.createElement("li");
    const raw = document.createElement("code");
    raw.textContent = line;
    item.append(text, " ", raw);
    list.appendChild(item);
  }
  if (!thoughts.lines.length) {
    const item = document.createElement("li");
    item.textContent = "no thinking lines for this move";
    list.appendChild(item);
  }
}
