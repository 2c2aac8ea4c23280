// The Play tab's playing levels, from levels.json (which the Python tools read too): a level
// fills the time and limit fields it is made of, and the measured Elo stands beside its name;
// a field changed by hand makes the level "custom".

import { $ } from "./state.js";

const form = $("#play-form");
const select = form.elements.level;
// The fields a level sets, by the level's own names.
const FIELDS = { time_ms: "timeout_turn", max_depth: "max_depth", max_node: "max_node" };
let levels = [];

// A level's strength in words: its Elo against full strength, or the bound the games give
// when it never scored; the reference itself has none.
export function strength(level) {
  const elo = level.elo;
  if (!elo) return "";
  const minus = (value) => String(Math.round(value)).replace("-", "−");
  if (elo.elo === null) return `below ${minus(elo.high)} Elo`;
  return `${minus(elo.elo)} Elo`;
}

// The games behind a level's Elo, in words.
function games(level) {
  const elo = level.elo;
  if (!elo) return "the engine at its full strength";
  const score = `+${elo.wins} =${elo.draws} −${elo.losses}`;
  const interval = elo.low === null ? `at most ${elo.high}` : `${elo.low} to ${elo.high}`;
  return `${elo.games} games against full strength, ${score}; 95% interval ${interval}`;
}

function fill(name) {
  const level = levels.find((entry) => entry.name === name);
  if (!level) return;
  for (const [field, key] of Object.entries(FIELDS)) form.elements[field].value = level[key];
}

export async function loadLevels() {
  const response = await fetch("levels.json");
  if (!response.ok) throw new Error(`levels.json: HTTP ${response.status}`);
  levels = (await response.json()).levels;
  const chosen = select.value;
  select.replaceChildren();
  for (const level of levels) {
    const measured = strength(level);
    const option = new Option(measured ? `${level.label} (${measured})` : level.label, level.name);
    option.title = games(level);
    select.add(option);
  }
  select.add(new Option("custom: the limits below", "custom"));
  select.value = chosen && levels.some((level) => level.name === chosen) ? chosen : "full";
  fill(select.value);
}

select.addEventListener("change", () => fill(select.value));
for (const field of Object.keys(FIELDS)) {
  form.elements[field].addEventListener("input", () => (select.value = "custom"));
}
