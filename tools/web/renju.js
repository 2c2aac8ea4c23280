// Renju's forbidden points in the page: the squares where a black stone loses at once (a
// foul). The same algorithm as the tools' tools/fivefold_tools/rules/renju.py, held to the
// same tables (tests/rules/): a square is judged as if black had just played it, only black's
// stones count;
// - a stone that makes exactly five is allowed, whatever else it makes;
// - otherwise two fours at once (in one line or two) are a double four, six or more black
//   stones in a row an overline;
// - a three is a line where one more black stone, on a square that is neither forbidden itself
//   nor makes a five in any line, makes a straight four; threes in two lines are a double
//   three. The test of a three is recursive: its square is judged with the new stone on.
// A stone that is a foul for more than one reason is named by the first of double four,
// overline, double three, as the tournament manager's judge names it.
// Boards are rules.js's {width, height, cells}, 1 black and 2 white.

export const OVERLINE = "overline";
export const DOUBLE_FOUR = "double_four";
export const DOUBLE_THREE = "double_three";

const BLACK = 1;
// The sentinel beyond the board's edge in a line read around a square.
const EDGE = -1;
// How far a line is read on each side: a four or three through a square lies within four
// squares of it, and a square beyond those decides whether a five is exact.
const REACH = 5;
const DIRECTIONS = [
  [1, 0],
  [0, 1],
  [1, 1],
  [1, -1],
];

// The squares from REACH before (x, y) to REACH after it along dx, dy: colours, EDGE off the
// board. The square itself is at index REACH.
function readLine(board, x, y, dx, dy) {
  const line = new Int8Array(2 * REACH + 1);
  for (let k = -REACH; k <= REACH; k++) {
    const [cx, cy] = [x + k * dx, y + k * dy];
    const inside = cx >= 0 && cx < board.width && cy >= 0 && cy < board.height;
    line[k + REACH] = inside ? board.cells[cx * board.height + cy] : EDGE;
  }
  return line;
}

// [first, last] indexes of the unbroken black run through line[at].
function blackRun(line, at) {
  let [first, last] = [at, at];
  while (first > 0 && line[first - 1] === BLACK) first--;
  while (last < line.length - 1 && line[last + 1] === BLACK) last++;
  return [first, last];
}

// The empty squares of the line where a black stone makes exactly five with the stone at its
// middle.
function fiveSquares(line) {
  const squares = [];
  for (let k = REACH - 4; k <= REACH + 4; k++) {
    if (line[k] !== 0) continue;
    line[k] = BLACK;
    const [first, last] = blackRun(line, k);
    if (last - first === 4 && first <= REACH && REACH <= last) squares.push(k);
    line[k] = 0;
  }
  return squares;
}

// How many fours the middle stone stands in along the line: a straight four (its two five
// squares four apart, the four stones between them) is one, any other pair two.
function foursIn(line) {
  const squares = fiveSquares(line);
  return squares.length === 2 && squares[1] - squares[0] === 5 ? 1 : squares.length;
}

// Whether the middle stone stands in four black stones in a row with an empty square at each
// end where a black stone makes exactly five.
function isStraightFour(line) {
  const [first, last] = blackRun(line, REACH); // four long, it lies within the line's middle
  return (
    last - first === 3 &&
    line[first - 1] === 0 &&
    line[last + 1] === 0 &&
    line[first - 2] !== BLACK &&
    line[last + 2] !== BLACK
  );
}

// Whether a black stone on the empty (x, y) makes exactly five in some line.
function makesFive(board, x, y) {
  return DIRECTIONS.some(([dx, dy]) => {
    const line = readLine(board, x, y, dx, dy);
    line[REACH] = BLACK;
    const [first, last] = blackRun(line, REACH);
    return last - first === 4;
  });
}

// Whether the black stone at (x, y) stands in a three along dx, dy (line, read around it):
// one more black stone on a square that is not forbidden and makes no five turns it into a
// straight four.
function hasThree(board, x, y, dx, dy, line) {
  for (let k = REACH - 4; k <= REACH + 4; k++) {
    if (line[k] !== 0) continue;
    line[k] = BLACK;
    const straight = isStraightFour(line);
    line[k] = 0;
    const [qx, qy] = [x + (k - REACH) * dx, y + (k - REACH) * dy];
    if (straight && !makesFive(board, qx, qy) && !forbidden(board, qx, qy)) return true;
  }
  return false;
}

// Why a black stone on the empty square (x, y) is a foul (DOUBLE_FOUR, OVERLINE or
// DOUBLE_THREE), or null when it is allowed.
export function forbidden(board, x, y) {
  const index = x * board.height + y;
  if (board.cells[index]) return null;
  board.cells[index] = BLACK;
  try {
    const lines = DIRECTIONS.map(([dx, dy]) => readLine(board, x, y, dx, dy));
    const lengths = lines.map((line) => {
      const [first, last] = blackRun(line, REACH);
      return last - first + 1;
    });
    if (lengths.includes(5)) return null;
    const fours = lines.map(foursIn);
    if (fours[0] + fours[1] + fours[2] + fours[3] > 1) return DOUBLE_FOUR;
    if (Math.max(...lengths) > 5) return OVERLINE;
    let threes = 0;
    for (let d = 0; d < DIRECTIONS.length; d++) {
      if (!fours[d] && hasThree(board, x, y, ...DIRECTIONS[d], lines[d]) && ++threes > 1) {
        return DOUBLE_THREE;
      }
    }
    return null;
  } finally {
    board.cells[index] = 0;
  }
}

// False when (x, y) has no room for a foul: two threes need two lines with two more black
// stones each within four squares, and two fours in one line or an overline four more in one
// line.
function mayBeForbidden(board, x, y) {
  let linesWithTwo = 0;
  for (const [dx, dy] of DIRECTIONS) {
    const count = readLine(board, x, y, dx, dy)
      .subarray(REACH - 4, REACH + 5)
      .filter((colour) => colour === BLACK).length;
    if (count >= 4) return true;
    if (count >= 2) linesWithTwo++;
  }
  return linesWithTwo >= 2;
}

// Every square where black, to move, would play a foul: [[x, y, reason]] by x, then y.
export function forbiddenPoints(board) {
  const points = [];
  for (let x = 0; x < board.width; x++) {
    for (let y = 0; y < board.height; y++) {
      if (board.cells[x * board.height + y] || !mayBeForbidden(board, x, y)) continue;
      const reason = forbidden(board, x, y);
      if (reason) points.push([x, y, reason]);
    }
  }
  return points;
}
