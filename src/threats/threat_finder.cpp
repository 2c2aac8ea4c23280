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
  ThreatList oldMatches;  // found on the slot's snapshot in this call
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

// Matches every template of `kind` at one window of `board` and appends the records.
void matchWindow(const Cell* board, ThreatList& out, int player, ThreatKind kind, ThreatMode mode,
                 int k, int startX, int startY) {
  PatternMatch match;
  const int count = patternsPerKind(kind);
  for (int p = 0; p < count; ++p) {
    if (matchPattern(board, player, patternTemplate(kind, p), startX, startY, directionDx[k],
                     directionDy[k], mode, match)) {
      out.push_back(makeRecord(match, kind, threatKey(p, mode, kind, k, startX, startY)));
    }
  }
}

// Rescans, on the live board and on the snapshot, every window within W - 1 steps of a
// cell that differs from the snapshot; each window once per call.
void scanChangedCells(ThreatCache& cache, int player, ThreatKind kind, ThreatMode mode) {
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
          matchWindow(gameState.board, finder.newMatches, player, kind, mode, k, startX, startY);
          matchWindow(cache.snapshot, finder.oldMatches, player, kind, mode, k, startX, startY);
        }
      }
    }
  }
}

bool containsKey(const ThreatList& list, std::int32_t key) {
  return std::any_of(list.begin(), list.end(),
                     [key](const ThreatRecord& r) { return r.key == key; });
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
  finder.oldMatches.clear();
  scanChangedCells(cache, player, kind, mode);

  for (int x = 0; x < gameState.width; ++x) {
    std::copy_n(&gameState.board[x * boardStride], gameState.height,
                &cache.snapshot[x * boardStride]);
  }

  // A cached record whose window was matched again on the snapshot lies near a change:
  // the live scan has the current word on it.
  list.clear();
  for (const ThreatRecord& record : cache.records) {
    if (!containsKey(finder.oldMatches, record.key)) list.push_back(record);
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
  finder.oldMatches = ThreatList{};
}

}  // namespace fivefold
