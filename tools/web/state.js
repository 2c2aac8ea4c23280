// The page's state, in one place. Every change goes through update(), which schedules one
// redraw of the whole page from the state; nothing else draws.

export const state = {
  mode: "play", // the chosen tab: play, watch, replay or analyse
  status: { text: "choose the settings and start", problem: false },
  brains: [], // the server's brains; empty without a server
  server: false, // whether a server API answers
  inPage: false, // whether the in-page engine can run here
  noEngine: null, // if not, why, as a sentence telling what to do
  driver: null, // the running game's driver (games.js)
  game: null, // the running or last game of the play or watch tab, as its driver shows it
  pending: null, // a square marked by a first tap: {key: its board (board-options.js), square}
  replay: { records: [], index: -1, shown: 0, problems: [] },
  analyse: {
    width: 15,
    height: 15,
    stones: [], // [x, y, colour]
    toMove: 1,
    engine: null, // the analysing engine, kept between questions
    asking: false,
    answer: null, // {move: [x, y], colour, thoughts} of the last question
  },
};

let renderer = null;
let scheduled = false;

export function onRender(render) {
  renderer = render;
}

export function update(changes) {
  Object.assign(state, changes);
  if (scheduled || !renderer) return;
  scheduled = true;
  queueMicrotask(() => {
    scheduled = false;
    renderer(state);
  });
}

export function showStatus(text, problem = false) {
  update({ status: { text, problem } });
}

// The fields of a form as an object; numbers as numbers (the brain lists hold indexes).
export function formValues(form) {
  const values = {};
  for (const field of form.elements) {
    if (!field.name) continue;
    const numeric = ["number", "range"].includes(field.type) || field.classList.contains("brains");
    values[field.name] = numeric ? Number(field.value) : field.value;
  }
  return values;
}

export const $ = (selector) => document.querySelector(selector);
