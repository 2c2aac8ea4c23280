// The board in SVG: lines, coordinates, stones, the last stone's mark, the winning five and
// the squares the engine's threat lines name. Columns are lettered from a and rows numbered
// from 1 at the top, as on the terminal board; x and y are the protocol's 0-based numbers.
"use strict";

const Board = (() => {
  const SVG = "http://www.w3.org/2000/svg";
  const CELL = 32;
  const MARGIN = 40;
  const LETTERS = "abcdefghijklmnopqrst";

  function element(name, attributes, parent) {
    const node = document.createElementNS(SVG, name);
    for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
    parent.appendChild(node);
    return node;
  }

  const at = (n) => MARGIN + n * CELL;

  function squareName(x, y) {
    return LETTERS[x] + (y + 1);
  }

  // view: {width, height, stones: [[x, y, colour]], five: [[x, y]], named: [[x, y]]};
  // onClick(x, y), when given, makes the empty squares clickable.
  function draw(svg, view, onClick) {
    const { width, height } = view;
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
    const taken = new Set();
    view.stones.forEach(([x, y, colour], i) => {
      taken.add(`${x},${y}`);
      const last = i === view.stones.length - 1;
      element("circle", { class: `stone ${colour === 1 ? "black" : "white"}${last ? " last" : ""}`,
                          cx: at(x), cy: at(y), r: CELL * 0.45, "data-x": x, "data-y": y }, svg);
      if (last) element("circle", { class: "last-mark", cx: at(x), cy: at(y), r: CELL * 0.12 }, svg);
    });
    // Outlines over the stones: a named square often holds one.
    for (const [x, y] of view.named || []) {
      element("rect", { class: "named", x: at(x) - CELL / 2 + 1, y: at(y) - CELL / 2 + 1,
                        width: CELL - 2, height: CELL - 2, rx: 4 }, svg);
    }
    const five = view.five || [];
    if (five.length) {
      const [a, b] = [five[0], five[five.length - 1]];
      element("line", { class: "five-line", x1: at(a[0]), y1: at(a[1]), x2: at(b[0]), y2: at(b[1]) }, svg);
      for (const [x, y] of five) element("circle", { class: "five", cx: at(x), cy: at(y), r: CELL * 0.47 }, svg);
    }
    if (!onClick) return;
    for (let x = 0; x < width; x++) {
      for (let y = 0; y < height; y++) {
        if (taken.has(`${x},${y}`)) continue;
        const hit = element("rect", { class: "hit", x: at(x) - CELL / 2, y: at(y) - CELL / 2,
                                      width: CELL, height: CELL, "data-x": x, "data-y": y }, svg);
        hit.addEventListener("click", () => onClick(x, y));
      }
    }
  }

  return { draw, squareName };
})();
