// The page: play the engine, watch two brains, replay a match file. A running game lives on
// the server; the page polls its state, which also tells the server the page is still open.
"use strict";

const POLL_MS = 300;
const $ = (selector) => document.querySelector(selector);
const svg = $("#board");

let mode = "play";
let game = null;  // the last state of the running game, from the server
let pollTimer = null;
let replay = { records: [], index: -1, shown: 0 };

async function api(method, path, body) {
  const options = { method, headers: {} };
  if (body !== undefined) {
    options.headers["Content-Type"] = "application/json";
    options.body = JSON.stringify(body);
  }
  const response = await fetch(path, options);
  const data = await response.json().catch(() => ({ error: response.statusText }));
  if (!response.ok) throw new Error(data.error || `HTTP ${response.status}`);
  return data;
}

function showStatus(text, problem = false) {
  const status = $("#status");
  status.textContent = text;
  status.classList.toggle("problem", problem);
}

function formValues(form) {
  const values = {};
  for (const field of form.elements) {
    if (!field.name) continue;
    values[field.name] = field.type === "number" || field.type === "range" || field.classList.contains("brains")
      ? Number(field.value) : field.value;
  }
  return values;
}

function showThoughts(thoughts) {
  const list = $("#lines");
  list.replaceChildren();
  $("#thought-move").textContent = "";
  if (!thoughts) return;
  const [x, y] = thoughts.move;
  $("#thought-move").textContent = `${thoughts.colour} played ${Board.squareName(x, y)} (${x},${y})`;
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

// --- running games (play and watch) ---

function gameStatus(state) {
  if (state.over) return state.result ? state.result.text : "the game was closed";
  const count = state.stones.length;
  if (state.mode === "watch") {
    const pace = state.paused ? "paused" : "playing";
    return `${pace}: move ${count + 1}, ${state.next} (${state[state.next]}) to play`;
  }
  const engine = state[state.human === "black" ? "white" : "black"];
  if (state.thinking) return state.next === state.human ? `waiting for ${engine}…` : `${engine} is thinking…`;
  return `your move (${state.human})`;
}

let shownState = "";

function showGame(state) {
  game = state;
  // Redrawn only on a change: a board replaced under the pointer would lose the click.
  const text = JSON.stringify(state);
  if (text === shownState) return;
  shownState = text;
  const yourTurn = state.mode === "play" && !state.over && !state.thinking;
  Board.draw(svg, {
    width: state.width, height: state.height, stones: state.stones, five: state.five,
    named: state.thoughts ? state.thoughts.squares : [],
  }, yourTurn ? play : null);
  showStatus(gameStatus(state), Boolean(state.result && !["five", "full_board"].includes(state.result.reason)));
  showThoughts(state.thoughts);
  $("#takeback").disabled = !yourTurn || state.stones.length < 2;
  $("#resign").disabled = state.mode !== "play" || state.over;
  $("#pause").disabled = $("#step").disabled = state.mode !== "watch" || state.over;
  $("#pause").textContent = state.paused ? "Resume" : "Pause";
}

function schedulePoll() {
  clearTimeout(pollTimer);
  if (game && !game.over) pollTimer = setTimeout(poll, POLL_MS);
}

async function poll() {
  if (!game) return;
  try {
    showGame(await api("GET", `/api/games/${game.id}`));
  } catch (error) {
    game = null;
    showStatus(error.message, true);
  }
  schedulePoll();
}

// Sends one request about the running game and shows the game as it answers.
async function act(path, body = {}) {
  if (!game) return;
  try {
    showGame(await api("POST", `/api/games/${game.id}/${path}`, body));
  } catch (error) {
    showStatus(error.message, true);
  }
  schedulePoll();
}

function play(x, y) {
  act("move", { x, y });
}

function closeGame() {
  clearTimeout(pollTimer);
  if (game && !game.over) api("DELETE", `/api/games/${game.id}`).catch(() => {});
  game = null;
}

async function newGame(settings) {
  closeGame();
  showStatus("starting…");
  try {
    showGame(await api("POST", "/api/games", settings));
  } catch (error) {
    showStatus(error.message, true);
    return;
  }
  schedulePoll();
}

$("#play-form").addEventListener("submit", (event) => {
  event.preventDefault();
  newGame({ mode: "play", ...formValues(event.target) });
});
$("#watch-form").addEventListener("submit", (event) => {
  event.preventDefault();
  newGame({ mode: "watch", ...formValues(event.target) });
});
$("#play-form").addEventListener("input", () => { if (!game) emptyBoard(); });
$("#takeback").addEventListener("click", () => act("takeback"));
$("#resign").addEventListener("click", () => act("resign"));
$("#pause").addEventListener("click", () => act("pace", { paused: !game.paused }));
$("#step").addEventListener("click", () => act("pace", { step: true }));
$("#watch-form").elements.delay_ms.addEventListener("input", (event) => {
  $("#delay-shown").textContent = `${event.target.value} ms`;
  if (game && game.mode === "watch" && !game.over) act("pace", { delay_ms: Number(event.target.value) });
});
window.addEventListener("pagehide", () => {
  if (game && !game.over) fetch(`/api/games/${game.id}`, { method: "DELETE", keepalive: true });
});

// --- replay of a match file ---

const COLOUR = { black: 1, white: 2 };

function recordStones(record) {
  const opening = record.opening.map(([x, y], i) => [x, y, 1 + (i % 2)]);
  return opening.concat(record.moves.map((m) => [m.x, m.y, COLOUR[m.colour]]));
}

function parseMatch(text) {
  const records = [];
  const problems = [];
  text.split("\n").forEach((line, i) => {
    if (!line.trim()) return;
    try {
      const record = JSON.parse(line);
      if (!Array.isArray(record.size) || !Array.isArray(record.moves)) throw new Error("not a game record");
      record.stones = recordStones(record);
      records.push(record);
    } catch (error) {
      problems.push(`line ${i + 1}: ${error.message}`);
    }
  });
  return { records, problems };
}

function showReplay() {
  const record = replay.records[replay.index];
  if (!record) return;
  const total = record.stones.length;
  const end = replay.shown === total;
  Board.draw(svg, { width: record.size[0], height: record.size[1],
                    stones: record.stones.slice(0, replay.shown),
                    five: end && record.five ? record.five : [] });
  $("#move-count").textContent = `${replay.shown} / ${total}`;
  const outcome = record.winner ? `${record.winner} (${record.winner_name}) won` : "a draw";
  showStatus(`game ${replay.index + 1}: ${record.black} (black) against ${record.white} (white); ` +
             `${record.result}, ${outcome} by ${record.reason.replace(/_/g, " ")}`);
  document.querySelectorAll("#games tbody tr").forEach((row, i) => row.classList.toggle("chosen", i === replay.index));
}

function chooseGame(index) {
  replay.index = index;
  replay.shown = replay.records[index].stones.length;
  showReplay();
}

function stepReplay(to) {
  const record = replay.records[replay.index];
  if (!record) return;
  replay.shown = Math.max(0, Math.min(record.stones.length, to));
  showReplay();
}

function listGames() {
  const body = $("#games tbody");
  body.replaceChildren();
  replay.records.forEach((record, i) => {
    const row = body.insertRow();
    const game = record.game === undefined ? i + 1 : record.game + 1;
    for (const text of [game, record.black, record.white, record.result, record.reason.replace(/_/g, " ")]) {
      row.insertCell().textContent = text;
    }
    row.addEventListener("click", () => chooseGame(i));
  });
}

$("#match-file").addEventListener("change", async (event) => {
  const file = event.target.files[0];
  if (!file) return;
  const { records, problems } = parseMatch(await file.text());
  replay = { records, index: -1, shown: 0 };
  listGames();
  if (records.length) chooseGame(0);
  if (problems.length || !records.length) {
    showStatus(`${file.name}: ${problems.slice(0, 3).join("; ") || "no games"}`, true);
  }
});
$("#first").addEventListener("click", () => stepReplay(0));
$("#prev").addEventListener("click", () => stepReplay(replay.shown - 1));
$("#next").addEventListener("click", () => stepReplay(replay.shown + 1));
$("#last").addEventListener("click", () => stepReplay(Infinity));
document.addEventListener("keydown", (event) => {
  if (mode !== "replay" || event.target.tagName === "INPUT") return;
  const to = { ArrowLeft: replay.shown - 1, ArrowRight: replay.shown + 1, Home: 0, End: Infinity }[event.key];
  if (to === undefined) return;
  event.preventDefault();
  stepReplay(to);
});

// --- modes ---

function emptyBoard() {
  const form = $("#play-form").elements;
  Board.draw(svg, { width: Number(form.width.value), height: Number(form.height.value), stones: [] });
}

function switchMode(next) {
  mode = next;
  closeGame();
  document.querySelectorAll(".tab").forEach((tab) => tab.classList.toggle("chosen", tab.dataset.mode === mode));
  document.querySelectorAll(".panel").forEach((panel) => { panel.hidden = panel.dataset.mode !== mode; });
  $("#thinking").hidden = mode === "replay";
  showThoughts(null);
  if (mode === "replay" && replay.records.length) {
    showReplay();
  } else {
    emptyBoard();
    showStatus(mode === "replay" ? "open a match file" : "choose the settings and start");
  }
}

document.querySelectorAll(".tab").forEach((tab) => tab.addEventListener("click", () => switchMode(tab.dataset.mode)));

(async () => {
  switchMode("play");
  try {
    const { brains } = await api("GET", "/api/brains");
    document.querySelectorAll("select.brains").forEach((select) => {
      brains.forEach((name, i) => select.add(new Option(name, i)));
    });
    $("#watch-form").elements.white.value = String(Math.min(1, brains.length - 1));
  } catch (error) {
    showStatus(`the server does not answer: ${error.message}`, true);
  }
})();
