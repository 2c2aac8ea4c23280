// The Save image button: the board as it is drawn, saved as a PNG. The SVG is drawn onto a
// canvas as an image, which knows nothing of the page: it takes the page's style rules with
// it, and loses its id (whose rules size the board within the page).

import { $, showStatus } from "./state.js";

// Pixels per unit of the board's viewBox: sharp on a screen of twice the usual density.
const SCALE = 2;

function styleRules() {
  const rules = [];
  for (const sheet of document.styleSheets) {
    for (const rule of sheet.cssRules) rules.push(rule.cssText);
  }
  return rules.join("\n");
}

// The board's picture: a PNG Blob of its viewBox's size times SCALE.
export async function boardPicture(svg) {
  const box = svg.viewBox.baseVal;
  const [width, height] = [Math.round(box.width * SCALE), Math.round(box.height * SCALE)];
  const copy = svg.cloneNode(true);
  copy.removeAttribute("id");
  copy.setAttribute("width", width);
  copy.setAttribute("height", height);
  const style = document.createElementNS(svg.namespaceURI, "style");
  style.textContent = styleRules();
  copy.prepend(style);
  const text = new XMLSerializer().serializeToString(copy);
  const image = new Image();
  image.src = URL.createObjectURL(new Blob([text], { type: "image/svg+xml" }));
  try {
    await image.decode();
  } finally {
    URL.revokeObjectURL(image.src);
  }
  const canvas = document.createElement("canvas");
  [canvas.width, canvas.height] = [width, height];
  canvas.getContext("2d").drawImage(image, 0, 0, width, height);
  return new Promise((resolve, reject) =>
    canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error("no picture"))), "image/png"),
  );
}

$("#save-image").addEventListener("click", async () => {
  try {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(await boardPicture($("#board")));
    link.download = "fivefold-board.png";
    link.click();
    URL.revokeObjectURL(link.href);
  } catch (error) {
    showStatus(`the image could not be made: ${error.message}`, true);
  }
});
