// The page: play the engine, watch it or two brains, replay a match file, analyse a position.
// Each tab is a panel (a module under panels/ with its view of the state); this module draws
// the page from the state. The engine runs in the page when its files are served beside it
// (the static site, which is kept for offline use too); tools/serve.py adds its API, with the
// brains it was given.

import { api } from "./api.js";
import { boardDisplay } from "./board-options.js";
import { createBoard, squareName } from "./board.js";
import "./download.js";
import { engineBuilt, engineProblem } from "./engine.js";
import { loadLevels } from "./levels.js";
import { restoreLink, writeLink } from "./link.js";
import { keepOffline } from "./offline.js";
import { analysePanel } from "./panels/analyse.js";
import { playPanel } from "./panels/play.js";
import { replayPanel } from "./panels/replay.js";
import { watchPanel } from "./panels/watch.js";
import "./picture.js";
import { RULES, loadOutcomes, loadRules } from "./rules.js";
import { $, onRender, state, update } from "./state.js";
import { showThoughts } from "./thinking.js";
import { load as loadWords } from "./words.js";

const PANELS = [playPanel, watchPanel, replayPanel, analysePanel];
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
  const { click, display } = boardDisplay(s, view);
  board.draw(view.board, click, display);
  const status = $("#status");
  const marked = display.pending && `${squareName(...display.pending)}: tap it again to play it`;
  status.textContent = marked || s.status.text || view.status || "";
  status.classList.toggle("problem", !marked && s.status.problem);
  $("#thinking").hidden = panel.thinking === false;
  showThoughts(view.thoughts || null, view.heading);
  panel.render(s);
  writeLink(s);
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
// A link opened in the page's own tab changes only the address's # part: no reload.
window.addEventListener("hashchange", () => {
  const leaving = panelOf(state.mode);
  if (leaving.leave) leaving.leave();
  restoreLink();
});
window.addEventListener("pagehide", () => state.driver && state.driver.leave());

onRender(render);
update({});

// The brains a game can have: the server's, or the in-page Fivefold alone.
async function findBrains() {
  try {
    return { brains: (await api("GET", "/api/brains")).brains, server: true };
  } catch {
    return { brains: ["fivefold"], server: false };
  }
}

// Whether the in-page engine runs here: its files are served and this browser can run them;
// if not, why, as a sentence telling what to do.
async function findEngine() {
  const problem = engineProblem();
  if (problem) return { inPage: false, problem };
  if (!(await engineBuilt())) {
    const missing =
      "The engine's files are not in this folder: build the site as README.md says " +
      "(cmake --build --preset wasm --target site) and serve build/wasm/site.";
    return { inPage: false, problem: missing };
  }
  await loadWords();
  return { inPage: true, problem: null };
}

(async () => {
  const [{ brains, server }, { inPage, problem }] = await Promise.all([
    findBrains(),
    findEngine(),
    loadOutcomes(),
    loadRules(),
    loadLevels(),
  ]);
  keepOffline(server);
  for (const select of document.querySelectorAll("select.rules")) {
    for (const [name, rule] of Object.entries(RULES)) {
      select.add(Object.assign(new Option(rule.label, name), { title: rule.wins }));
    }
  }
  for (const select of document.querySelectorAll("select.brains")) {
    brains.forEach((name, i) => select.add(new Option(name, i)));
  }
  // The address is read once the choices it may name (a rule, a level) are there.
  restoreLink();
  $("#watch-form").elements.white.value = String(Math.min(1, brains.length - 1));
  // serve.py serves the site's engine files as soon as they are built.
  const unbuilt =
    "The in-page engine is not built: build it with cmake --preset wasm && " +
    "cmake --build --preset wasm --target site, then reload this page.";
  const noEngine = problem && server && !engineProblem() ? unbuilt : problem;
  update({ brains, server, inPage, noEngine });
  if (!server && !inPage) {
    const fatal = $("#fatal");
    fatal.textContent = problem;
    fatal.hidden = false;
  }
})().catch((error) => update({ status: { text: error.message, problem: true } }));
