// The board in SVG: lines, coordinates, stones, the last stone's mark or the stones' move
// numbers, the winning five, the squares the engine's threat lines name, a marked square (the
// analysed move), a stone waiting for its second tap and renju's forbidden points, each named
// with its reason when the pointer rests on it. Columns are
// lettered from a and rows numbered from 1 at the top, as on the terminal board; x and y are the
// protocol's 0-based numbers.

import { LOSSES, boardOf, cell } from "./rules.js";

const SVG = "http://www.w3.org/2000/svg";
const CELL = 32;
const MARGIN = 40;
export const LETTERS = "abcdefghijklmnopqrst";

const at = (n) => MARGIN + n * CELL;

export function squareName(x, y) {
  return LETTERS[x] + (y + 1);
}

function element(name, attributes, parent) {
  const node = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
  parent.appendChild(node);
  return node;
}

// A board drawn into one <svg>. The grid and the click targets are built once per board size
// and only their classes change after that, so that a redraw never replaces the square under
// the pointer; the stones and marks are redrawn from the view every time.
export function createBoard(svg) {
  let size = "";
  let marks = null;
  let squares = [];
  let onClick = null;

  function build(width, height) {
    svg.replaceChildren();
    // Coordinates stand left and above; the other two sides only need room for a stone.
    svg.setAttribute("viewBox", `0 0 ${at(width - 1) + CELL * 0.7} ${at(height - 1) + CELL * 0.7}`);
    element("rect", { class: "wood", x: 0, y: 0, width: "100%", height: "100%" }, svg);
    const grid = element("g", { class: "grid" }, svg);
    for (let x = 0; x < width; x++) {
      element("line", { x1: at(x), y1: at(0), x2: at(x), y2: at(height - 1) }, grid);
      element("text", { x: at(x), y: MARGIN / 3, class: "coord" }, grid).textContent = LETTERS[x];
    }
    for (let y = 0; y < height; y++) {
      element("line", { x1: at(0), y1: at(y), x2: at(width - 1), y2: at(y) }, grid);
      element("text", { x: MARGIN / 3, y: at(y), class: "coord" }, grid).textContent = y + 1;
    }
    marks = element("g", { class: "marks" }, svg);
    const targets = element("g", {}, svg);
    squares = [];
    for (let x = 0; x < width; x++) {
      for (let y = 0; y < height; y++) {
        const square = element(
          "rect",
          {
            class: "square",
            x: at(x) - CELL / 2,
            y: at(y) - CELL / 2,
            width: CELL,
            height: CELL,
            "data-x": x,
            "data-y": y,
          },
          targets,
        );
        square.addEventListener("click", () => onClick && onClick(x, y));
        squares.push({ x, y, square });
      }
    }
  }

  // view: {width, height, stones: [[x, y, colour]], five: [[x, y]], named: [[x, y]],
  // marked: [x, y, colour] or null, forbidden: [[x, y, reason]], noLast, clickAll}; click(x, y),
  // when given, makes the empty squares (every square with clickAll) clickable. display:
  // {numbers: the stones' move numbers (where they were played in order: not noLast),
  // pending: [x, y] or null}.
  function draw(view, click, display = {}) {
    const { width, height } = view;
    if (size !== `${width}x${height}`) {
      size = `${width}x${height}`;
      build(width, height);
    }
    onClick = click;
    marks.replaceChildren();
    const taken = boardOf(width, height, view.stones);
    const numbers = display.numbers && !view.noLast;
    view.stones.forEach(([x, y, colour], i) => {
      const last = i === view.stones.length - 1 && !view.noLast;
      const side = colour === 1 ? "black" : "white";
      const stone = { class: `stone ${side}${last ? " last" : ""}` };
      const centre = { cx: at(x), cy: at(y), "data-x": x, "data-y": y };
      element("circle", { ...stone, ...centre, r: CELL * 0.45 }, marks);
      if (numbers) {
        const number = { class: `number ${side}${last ? " last" : ""}`, x: at(x), y: at(y) };
        element("text", { ...number, "data-x": x, "data-y": y }, marks).textContent = i + 1;
      } else if (last) {
        element("circle", { class: "last-mark", ...centre, r: CELL * 0.12 }, marks);
      }
    });
    // Outlines over the stones: a named square often holds one.
    for (const [x, y] of view.named || []) {
      const side = CELL - 2;
      const corner = { x: at(x) - side / 2, y: at(y) - side / 2 };
      element("rect", { class: "named", ...corner, width: side, height: side, rx: 4 }, marks);
    }
    if (view.marked) {
      // The proposed stone, pale, in the colour of the side that would play it.
      const [x, y, colour] = view.marked;
      const centre = { cx: at(x), cy: at(y), "data-x": x, "data-y": y };
      const side = colour === 1 ? "black" : "white";
      element("circle", { class: `marked ${side}`, ...centre, r: CELL * 0.45 }, marks);
    }
    if (display.pending) {
      const [x, y] = display.pending;
      element("circle", { class: "pending", cx: at(x), cy: at(y), r: CELL * 0.45 }, marks);
    }
    // A cross on each of black's forbidden points, its reason on its square's title.
    const forbidden = new Map();
    for (const [x, y, reason] of view.forbidden || []) {
      forbidden.set(`${x},${y}`, LOSSES[reason] || reason.replace(/_/g, " "));
      const r = CELL * 0.22;
      const cross =
        `M${at(x) - r},${at(y) - r}L${at(x) + r},${at(y) + r}` +
        `M${at(x) - r},${at(y) + r}L${at(x) + r},${at(y) - r}`;
      element("path", { class: "forbidden", d: cross, "data-x": x, "data-y": y }, marks);
    }
    const five = view.five || [];
    if (five.length) {
      const [a, b] = [five[0], five[five.length - 1]];
      const ends = { x1: at(a[0]), y1: at(a[1]), x2: at(b[0]), y2: at(b[1]) };
      element("line", { class: "five-line", ...ends }, marks);
      for (const [x, y] of five) {
        element("circle", { class: "five", cx: at(x), cy: at(y), r: CELL * 0.47 }, marks);
      }
    }
    squares.forEach(({ x, y, square }) => {
      const open = Boolean(click) && (view.clickAll || !cell(taken, x, y));
      square.setAttribute("class", open ? "square hit" : "square");
      const why = forbidden.get(`${x},${y}`);
      square.replaceChildren();
      if (why) element("title", {}, square).textContent = `forbidden to black: ${why}`;
    });
  }

  return { draw };
}
