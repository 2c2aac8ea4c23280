#include "threats/threat_finder.h"

#include <algorithm>
#include <cstring>

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

struct ThreatFinderState {
  ThreatCache caches[cacheSlots];
  std::uint32_t scanMarks[scanMarkSize][scanMarkSize] = {};
  ThreatList newMatches;  // found on the live board in this call
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

bool hasOwnStones(const Cell* board, int player, int k, int startX, int startY, int length,
                  int needed) {
  int x = startX;
  int y = startY;
  for (int i = 0; i < length; ++i, x += directionDx[k], y += directionDy[k]) {
    if (isOnBoard(x, y) && board[x * boardStride + y] == player && --needed == 0) return true;
  }
  return false;
}

// Matches every template of `kind` at one window of the live board and appends the
// records.
void matchWindow(ThreatList& out, int player, ThreatKind kind, ThreatMode mode, int k, int startX,
                 int startY) {
  if (!hasOwnStones(gameState.board, player, k, startX, startY, windowLength(kind),
                    ownStonesNeeded(kind, mode))) {
    return;
  }
  PatternMatch match;
  const int count = patternsPerKind(kind);
  for (int p = 0; p < count; ++p) {
    if (matchPattern(gameState.board, player, patternTemplate(kind, p), startX, startY,
                     directionDx[k], directionDy[k], mode, match)) {
      out.push_back(makeRecord(match, kind, threatKey(p, mode, kind, k, startX, startY)));
    }
  }
}

// Rescans every window within W - 1 steps of a cell that differs from the snapshot, each
// window once per call, and marks it in the scan-mark grid.
void scanChangedCells(const ThreatCache& cache, int player, ThreatKind kind, ThreatMode mode) {
  const int w = windowLength(kind);
  std::memset(finder.scanMarks, 0, sizeof finder.scanMarks);
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) {
      if (cache.snapshot[x * boardStride + y] == cellAt(x, y)) continue;
      for (int k = 0; k < 4; ++k) {
        for (int n = -(w - 1); n <= w - 1; ++n) {
          const int startX = offsetX(x, k, n);
          const int startY = offsetY(y, k, n);
          std::uint32_t& mark = finder.scanMarks[startX + w - 1][startY + w - 1];
          if (mark & (1u << k)) continue;
          mark |= 1u << k;
          matchWindow(finder.newMatches, player, kind, mode, k, startX, startY);
        }
      }
    }
  }
}

// Whether this call rescanned the window of a record, read back from its key:
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
  return (finder.scanMarks[startX + w - 1][startY + w - 1] & (1u << k)) != 0;
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
  finder.newMatches.clear();
  scanChangedCells(cache, player, kind, mode);

  for (int x = 0; x < gameState.width; ++x) {
    std::copy_n(&gameState.board[x * boardStride], gameState.height,
                &cache.snapshot[x * boardStride]);
  }

  // The cache holds every match on the snapshot, so a cached record whose window was
  // rescanned is one the snapshot scan would find again: the live scan has the current
  // word on that window.
  list.clear();
  for (const ThreatRecord& record : cache.records) {
    if (!windowRescanned(record, kind, mode)) list.push_back(record);
  }
  list.insert(list.end(), finder.newMatches.begin(), finder.newMatches.end());
  cache.records = list;
}

void resetThreatFinder() {
  for (ThreatCache& cache : finder.caches) {
    cache = ThreatCache{};
  }
  std::memset(finder.scanMarks, 0, sizeof finder.scanMarks);
  finder.newMatches = ThreatList{};
}

}  // namespace fivefold
