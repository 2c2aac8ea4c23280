// The page: play the engine, watch two brains, replay a match file. Each tab is a panel (a
// module under panels/ with its view of the state); this module draws the page from the state.

import { api } from "./api.js";
import { createBoard } from "./board.js";
import { playPanel } from "./panels/play.js";
import { replayPanel } from "./panels/replay.js";
import { watchPanel } from "./panels/watch.js";
import { $, onRender, state, update } from "./state.js";
import { showThoughts } from "./thinking.js";

const PANELS = [playPanel, watchPanel, replayPanel];
const board = createBoard($("#board"));

function panelOf(mode) {
  return PANELS.find((panel) => panel.mode === mode);
}

function render(s) {
  const panel = panelOf(s.mode);
  for (const tab of document.querySelectorAll(".tab")) {
    tab.classList.toggle("chosen", tab.dataset.mode === s.mode);
  }
  document.querySelectorAll(".panel").forEach((element) => {
    element.hidden = element.dataset.mode !== s.mode;
  });
  const view = panel.view(s);
  board.draw(view.board, view.click || null);
  const status = $("#status");
  status.textContent = s.status.text || view.status || "";
  status.classList.toggle("problem", s.status.problem);
  $("#thinking").hidden = panel.thinking === false;
  showThoughts(view.thoughts || null, view.heading);
  panel.render(s);
}

function switchMode(mode) {
  const leaving = panelOf(state.mode);
  if (leaving.leave) leaving.leave();
  const text = mode === "replay" ? "" : "choose the settings and start";
  update({ mode, status: { text, problem: false } });
}

for (const tab of document.querySelectorAll(".tab")) {
  tab.addEventListener("click", () => switchMode(tab.dataset.mode));
}
window.addEventListener("pagehide", () => state.driver && state.driver.leave());

onRender(render);
update({});

(async () => {
  try {
    const { brains } = await api("GET", "/api/brains");
    document.querySelectorAll("select.brains").forEach((select) => {
      brains.forEach((name, i) => select.add(new Option(name, i)));
    });
    $("#watch-form").elements.white.value = String(Math.min(1, brains.length - 1));
    update({ brains, server: true });
  } catch (error) {
    update({ status: { text: `the server does not answer: ${error.message}`, problem: true } });
  }
})();
