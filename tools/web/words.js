// The engine's MESSAGE lines in words, and the squares its threat lines name, as the Python
// tools give them: the words and the threat key's layout come from engine_words.json, which
// both read. load() must have finished before the other functions are used.

let words = null;

// The table itself, for the modules that word other lines (analysis.js).
export const wordsTable = () => words;

export async function load() {
  const response = await fetch("engine_words.json");
  if (!response.ok) throw new Error(`engine_words.json: HTTP ${response.status}`);
  words = await response.json();
}

// M3 is followed by the three's key, negative when its window starts off the board.
const THREAT_LINE = /THR: (\S+)(?: (-?\d+))?/;
const SEARCH_LINE = /^AB: D:(\d+)(?: E:(-?\d+))? F:(\w+) S:(\d+)$/;

function evaluation(value) {
  if (value > words.decided) return `a forced win about ${words.win - value} stones ahead`;
  if (value < -words.decided) return `a forced loss about ${words.win + value} stones ahead`;
  return `evaluation ${value}`;
}

// The line in words, or null when it is none of the engine's MESSAGE lines.
export function describe(line) {
  let text = line.trim();
  if (text.toUpperCase().startsWith("MESSAGE")) text = text.slice("MESSAGE".length).trim();
  const threat = text.match(new RegExp(`^${THREAT_LINE.source}$`));
  if (threat && threat[1] in words.threats) return words.threats[threat[1]];
  const search = text.match(SEARCH_LINE);
  if (search && search[3] in words.endings) {
    const [, depth, value, ending, rate] = search;
    const parts = [`depth ${depth}`];
    if (value !== undefined) parts.push(evaluation(Number(value)));
    return [...parts, words.endings[ending], `${rate} nodes/s`].join(", ");
  }
  return words.farewells[text] || null;
}

// The key's fields by name, read back as engine_words.json describes.
function keyFields(key) {
  const fields = words.threat_key.fields;
  const shifted = fields.reduce((sum, field) => sum + field.offset * field.multiplier, key);
  const values = {};
  fields.forEach((field, i) => {
    let value = Math.floor(shifted / field.multiplier);
    if (i > 0) value %= fields[i - 1].multiplier / field.multiplier;
    values[field.name] = value - field.offset;
  });
  return values;
}

// The on-board squares of the template window a threat key names, in window order.
export function keyWindow(key, width, height) {
  const { kind, direction, x, y } = keyFields(key);
  const length = words.threat_key.window_length[kind];
  const step = words.threat_key.direction_steps[direction];
  if (!length || !step) return [];
  const squares = [];
  for (let n = 0; n < length; n++) {
    const [sx, sy] = [x + n * step[0], y + n * step[1]];
    if (sx >= 0 && sx < width && sy >= 0 && sy < height) squares.push([sx, sy]);
  }
  return squares;
}

// The squares the threat lines name: a keyed threat's window, and for the other threat lines
// the move itself (the square that completes, makes or blocks).
function namedSquares(lines, move, width, height) {
  const squares = [];
  for (const line of lines) {
    const threat = line.match(THREAT_LINE);
    if (!threat) continue;
    const named = threat[2] ? keyWindow(Number(threat[2]), width, height) : [];
    for (const square of named.length ? named : [move]) {
      if (!squares.some(([x, y]) => x === square[0] && y === square[1])) squares.push(square);
    }
  }
  return squares;
}

// The engine's MESSAGE lines for one move, in the shape the server gives them to the page.
export function thoughts(output, move, colour, width, height) {
  const lines = output.filter((line) => line.toUpperCase().startsWith("MESSAGE"));
  const readable = (line) => describe(line) || line.trim().replace(/^MESSAGE\s*/i, "");
  return {
    colour,
    move: [...move],
    lines: lines.map((line) => ({ line, text: readable(line) })),
    squares: namedSquares(lines, move, width, height),
  };
}
