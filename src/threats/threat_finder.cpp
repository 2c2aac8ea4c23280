#include "threats/threat_finder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/board_snapshot.h"
#include "threats/threat_line.h"

namespace fivefold {

namespace {

constexpr int cacheSlots = 8;
constexpr int scanMarkSize = 40;  // window starts -(W - 1) .. 19 + W - 1 for both kinds

struct ThreatCache {
  Cell snapshot[boardCells] = {};  // the live board as this slot's previous call left it
  ThreatList records;              // what that call returned
  // The playing size of that call: matches near the edge depend on it, so a new size
  // invalidates the slot.
  std::int32_t width = 0;
  std::int32_t height = 0;
};

struct ChangedCell {
  std::int32_t x;
  std::int32_t y;
};

struct ThreatFinderState {
  ThreatCache caches[cacheSlots];
  // Bit k of a window's word: the window of direction k starting there was matched in
  // this call. Only windows with enough own stones to match anything are marked, and
  // only the words set are cleared again.
  std::uint8_t scanMarks[scanMarkSize][scanMarkSize] = {};
  std::vector<std::uint8_t*> marksSet;
  std::vector<ChangedCell> changedCells;  // this call's, in scan order
  ThreatList newMatches;                  // found on the live board in this call
};

ThreatFinderState finder;

ThreatRecord makeRecord(const PatternMatch& match, ThreatKind kind, std::int32_t key) {
  ThreatRecord record{};
  record.missingX = match.missingX;
  record.missingY = match.missingY;
  record.gainX = match.gainX;
  record.gainY = match.gainY;
  std::copy(std::begin(match.costX), std::end(match.costX), record.costX);
  std::copy(std::begin(match.costY), std::end(match.costY), record.costY);
  record.costCount = match.costCount;
  record.kind = kind;
  record.key = key;
  return record;
}

// Every template of a kind needs this many own stones in its window (its "x" cells less
// the one that may be missing); fewer, and no template is tried.
int ownStonesNeeded(ThreatKind kind, ThreatMode mode) {
  return (kind == Four ? 4 : 3) - mode;
}

// At least `needed` bits set.
bool hasBits(LineBits bits, int needed) {
  for (; needed > 0; --needed, bits &= bits - 1) {
    if (bits == 0) return false;
  }
  return true;
}

// Rescans every window within W - 1 steps of one changed cell, in direction and then step
// order. Each of the four lines through the cell is read once and all its windows are
// matched on that copy; a window without enough own stones cannot match and is passed
// over, and a window already matched in this call (from an earlier changed cell on the
// same line) is not matched again.
void scanChangedCell(int x, int y, int player, ThreatKind kind, ThreatMode mode) {
  const int w = windowLength(kind);
  const int needed = ownStonesNeeded(kind, mode);
  const int count = patternsPerKind(kind);
  for (int k = 0; k < 4; ++k) {
    const LineCells line = readLine(player, x, y, k, w);
    if (!hasBits(line.own, needed)) continue;
    int inWindow = 0;  // own stones in cells start .. start + w - 2 of the line
    for (int i = 0; i < w - 1; ++i) inWindow += holdsCell(line.own, i);
    for (int start = 0; start <= 2 * (w - 1); ++start) {
      inWindow += holdsCell(line.own, start + w - 1);
      const bool enoughStones = inWindow >= needed;
      inWindow -= holdsCell(line.own, start);
      if (!enoughStones) continue;
      const int startX = offsetX(x, k, start - (w - 1));
      const int startY = offsetY(y, k, start - (w - 1));
      std::uint8_t& mark = finder.scanMarks[startX + w - 1][startY + w - 1];
      if (mark & (1u << k)) continue;
      if (mark == 0) finder.marksSet.push_back(&mark);
      mark |= 1u << k;
      for (int p = 0; p < count; ++p) {
        const LineTemplate& t = lineTemplate(kind, p);
        int missing;
        if (!matchLine(line, t, start, mode, missing)) continue;
        finder.newMatches.push_back(makeRecord(linePatternMatch(t, x, y, k, w, start, missing),
                                               kind, threatKey(p, mode, kind, k, startX, startY)));
      }
    }
  }
}

// Lists the cells that differ from the snapshot, in x-then-y order, and brings the
// snapshot up to date.
void collectChangedCells(ThreatCache& cache) {
  absorbBoardChanges(cache.snapshot, [](int x, int y, Cell, Cell) {
    finder.changedCells.push_back({x, y});
  });
}

// Whether this call rescanned the window of a record: whether a changed cell lies on its
// line within W - 1 steps of its start. The window is read back from the key:
// pattern * 10^7 + mode * 10^6 + kind * 10^5 + k * 10^4 + startX * 100 + startY, where
// startX * 100 + startY lies in -808 .. 2727.
bool windowRescanned(const ThreatRecord& record, ThreatKind kind, ThreatMode mode) {
  constexpr int lowest = 808;
  const int shifted = record.key - mode * 1000000 - kind * 100000 + lowest;
  const int withinPattern = shifted % 10000000;
  const int k = withinPattern / 10000;
  const int start = withinPattern % 10000 - lowest;  // startX * 100 + startY
  const int startX = (start + 1008) / 100 - 10;      // startY lies in -8 .. 27
  const int startY = start - startX * 100;
  const int w = windowLength(kind);
  const int dx = directionDx[k];
  const int dy = directionDy[k];
  for (const ChangedCell& cell : finder.changedCells) {
    const int n = dx != 0 ? (startX - cell.x) * dx : (startY - cell.y) * dy;
    if (n >= -(w - 1) && n <= w - 1 && cell.x + n * dx == startX && cell.y + n * dy == startY) {
      return true;
    }
  }
  return false;
}

}  // namespace

void findThreats(ThreatList& list, int player, ThreatKind kind, ThreatMode mode) {
  ThreatCache& cache = finder.caches[kind * 2 + mode * 4 + (player - 1)];
  if (cache.width != gameState.width || cache.height != gameState.height) {
    // A new playing size changes which cells count as outside; start this slot afresh
    // so that the diff below becomes a full scan.
    std::fill(std::begin(cache.snapshot), std::end(cache.snapshot), 0);
    cache.records.clear();
    cache.width = gameState.width;
    cache.height = gameState.height;
  }
  collectChangedCells(cache);
  if (!finder.changedCells.empty()) {
    for (const ChangedCell& cell : finder.changedCells) {
      scanChangedCell(cell.x, cell.y, player, kind, mode);
    }
    // The cache holds every match on the snapshot, so a cached record whose window was
    // rescanned is one the snapshot scan would find again: the live scan has the current
    // word on that window.
    std::erase_if(cache.records,
                  [&](const ThreatRecord& record) { return windowRescanned(record, kind, mode); });
    cache.records.insert(cache.records.end(), finder.newMatches.begin(), finder.newMatches.end());

    for (std::uint8_t* mark : finder.marksSet) *mark = 0;
    finder.marksSet.clear();
    finder.newMatches.clear();
    finder.changedCells.clear();
  }
  list = cache.records;
}

void resetThreatFinder() {
  for (ThreatCache& cache : finder.caches) {
    cache = ThreatCache{};
  }
  std::memset(finder.scanMarks, 0, sizeof finder.scanMarks);
  finder.marksSet = {};
  finder.changedCells = {};
  finder.newMatches = ThreatList{};
}

}  // namespace fivefold
