// The options under the board, kept in the browser's storage: move numbers on the stones, and
// two-tap play, where the first tap on a square only marks the stone there and a second tap on
// the same square plays it (a finger covers the square it touches). Touch screens start with
// two-tap play on.

import { $, state, update } from "./state.js";

const STORED = "fivefold-board-options";
const BOXES = { numbers: $("#show-numbers"), confirm: $("#confirm-taps") };
export const options = { numbers: false, confirm: matchMedia("(pointer: coarse)").matches };

try {
  Object.assign(options, JSON.parse(localStorage.getItem(STORED)) || {});
} catch {
  // No storage (a private window may refuse it) or a value not ours: the defaults hold.
}
for (const [name, box] of Object.entries(BOXES)) {
  box.checked = Boolean(options[name]);
  box.addEventListener("change", () => {
    options[name] = box.checked;
    try {
      localStorage.setItem(STORED, JSON.stringify(options));
    } catch {
      // Kept for this visit only.
    }
    update({ pending: null });
  });
}

// A marked square belongs to the board it was marked on: once a stone is added or taken, or
// another tab shown, it is gone.
function boardKey(s, board) {
  return `${s.mode} ${board.width}x${board.height} ${board.stones.length}`;
}

// The board's click and the drawing options for the panel's view: with two-tap play, a click
// marks the square (state.pending) and a click on the marked square plays it.
export function boardDisplay(s, view) {
  const key = boardKey(s, view.board);
  const pending = s.pending && s.pending.key === key ? s.pending.square : null;
  const display = { numbers: options.numbers, pending };
  if (!view.click || !options.confirm) return { click: view.click || null, display };
  const click = (x, y) => {
    if (pending && pending[0] === x && pending[1] === y) {
      update({ pending: null });
      view.click(x, y);
    } else {
      update({ pending: { key, square: [x, y] } });
    }
  };
  return { click, display };
}
