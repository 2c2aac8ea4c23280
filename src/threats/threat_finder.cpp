#include "threats/threat_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

struct ThreatFinderState {
  ThreatCache caches[cacheSlots];
  std::uint8_t scanMarks[scanMarkSize][scanMarkSize] = {};
  // The words set in this call: clearing only these is far cheaper than the whole grid.
  std::vector<std::uint8_t*> marksSet;
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

// Rescans every window within W - 1 steps of one changed cell, each window once per call,
// and marks it in the scan-mark grid. Each of the four lines through the cell is read once
// and all its windows are matched on that copy.
void scanChangedCell(int x, int y, int player, ThreatKind kind, ThreatMode mode) {
  const int w = windowLength(kind);
  const int needed = ownStonesNeeded(kind, mode);
  const std::uint32_t windowBits = (1u << w) - 1;
  const int count = patternsPerKind(kind);
  for (int k = 0; k < 4; ++k) {
    const LineCells line = readLine(player, x, y, k, w);
    for (int start = 0; start <= 2 * (w - 1); ++start) {
      const int n = start - (w - 1);
      const int startX = offsetX(x, k, n);
      const int startY = offsetY(y, k, n);
      std::uint8_t& mark = finder.scanMarks[startX + w - 1][startY + w - 1];
      if (mark & (1u << k)) continue;
      if (mark == 0) finder.marksSet.push_back(&mark);
      mark |= 1u << k;
      if (std::popcount((line.own >> start) & windowBits) < needed) continue;
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

// Scans around every cell that differs from the snapshot, in x-then-y order, and brings
// the snapshot up to date on the way; returns whether any cell differed. Most columns are
// unchanged between two calls of a slot, so whole columns are compared first.
bool scanChangedCells(ThreatCache& cache, int player, ThreatKind kind, ThreatMode mode) {
  bool changed = false;
  for (int x = 0; x < gameState.width; ++x) {
    Cell* snapshot = &cache.snapshot[x * boardStride];
    const Cell* live = &gameState.board[x * boardStride];
    if (std::memcmp(snapshot, live, gameState.height * sizeof(Cell)) == 0) continue;
    for (int y = 0; y < gameState.height; ++y) {
      if (snapshot[y] == live[y]) continue;
      scanChangedCell(x, y, player, kind, mode);
      snapshot[y] = live[y];  // the scan reads the live board only
      changed = true;
    }
  }
  return changed;
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
  if (!scanChangedCells(cache, player, kind, mode)) {
    list = cache.records;  // nothing rescanned: the previous answer stands as it was
    return;
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

  for (std::uint8_t* mark : finder.marksSet) *mark = 0;
  finder.marksSet.clear();
  finder.newMatches.clear();
}

void resetThreatFinder() {
  for (ThreatCache& cache : finder.caches) {
    cache = ThreatCache{};
  }
  std::memset(finder.scanMarks, 0, sizeof finder.scanMarks);
  finder.marksSet = {};
  finder.newMatches = ThreatList{};
}

}  // namespace fivefold
