#include "threats/threat_finder.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "core/board_changes.h"
#include "threats/threat_line.h"

namespace fivefold {

namespace {

constexpr int cacheSlots = 8;
constexpr int scanMarkSize = 40;  // window starts -(W - 1) .. 19 + W - 1 for both kinds

constexpr int cacheSlot(int player, ThreatKind kind, ThreatMode mode) {
  return kind * 2 + mode * 4 + (player - 1);
}

// Every template of a kind needs this many own stones in its window (its "x" cells less
// the one that may be missing); a line with fewer around the cell is passed over.
constexpr int ownStonesNeeded(ThreatKind kind, ThreatMode mode) {
  return (kind == Four ? 4 : 3) - mode;
}

struct ThreatCache {
  JournalCursor cursor;  // where this slot's previous call left the grid
  ThreatList records;    // what that call returned: every match on the grid as it was then
};

struct ChangedCell {
  ChangedCell() {}  // left unset: the collector writes every field
  std::int32_t x;
  std::int32_t y;
  LineAround lines[lineDirections];  // read once for every slot that rescans the cell
  // How many own stones each player has on each line, one byte per direction, counted on
  // the line of the Three windows, which holds the shorter line of the Four windows: most
  // lines have too few for any template, and a slot passes them over (see linesToScan).
  std::uint32_t ownCounts[2];  // [player - 1], byte k for direction k
};

struct ThreatFinderState {
  ThreatCache caches[cacheSlots];
  // Bit k of a window's word: the window of direction k starting there was matched in
  // this call. Only windows with enough own stones to match anything are marked, and
  // only the words set are cleared again.
  std::uint8_t scanMarks[scanMarkSize][scanMarkSize] = {};
  std::vector<std::uint8_t*> marksSet;
  // The cells changed over the latest run of the journal that a slot caught up over, in
  // scan order. The slots asked at one search node mostly catch up over the same run (from
  // the same position, to the same end, with no fold between): they share the cells and
  // their lines. A run that starts afresh is never shared.
  std::vector<ChangedCell> changedCells;
  std::uint32_t runFrom = 0;
  std::uint32_t runTo = 0;
  std::uint32_t runEpoch = noEpoch;
  std::uint32_t runFolds = 0;
};

ThreatFinderState finder;

// The directions of a changed cell whose lines hold enough own stones of `player` for a
// template of the kind and mode: bit 8k + 7 for direction k. A count is at most 25 (the
// cells of the line), so adding 128 - needed to each byte sets its high bit exactly when the
// count reaches needed, without a carry into the next byte.
template <ThreatKind kind, ThreatMode mode>
std::uint32_t linesToScan(const ChangedCell& cell, int player) {
  constexpr std::uint32_t bytes = 0x01010101;
  return (cell.ownCounts[player - 1] + (128 - ownStonesNeeded(kind, mode)) * bytes) & (128 * bytes);
}

// Rescans every window within W - 1 steps of one changed cell on the given lines, in
// direction, then window, then template order. All templates are laid on all windows of a
// line at once; a window that matched for an earlier changed cell of this call (on the same
// line) is not listed again.
template <FiveRule rule, ThreatKind kind, ThreatMode mode>
void scanChangedCell(const ChangedCell& cell, std::uint32_t lines, int player, ThreatList& found) {
  constexpr int w = windowLength(kind);
  const int x = cell.x;
  const int y = cell.y;
  for (; lines != 0; lines &= lines - 1) {
    const int k = std::countr_zero(lines) / 8;
    const LineCells line = lineCells(player, cell.lines[k], w);
    const LineMatches matches = matchEveryWindow<rule, kind, mode>(line);
    for (LineBits windows = matches.any; windows != 0; windows &= windows - 1) {
      const int start = std::countr_zero(windows) / 2;
      const int startX = offsetX(x, k, start - (w - 1));
      const int startY = offsetY(y, k, start - (w - 1));
      std::uint8_t& mark = finder.scanMarks[startX + w - 1][startY + w - 1];
      if (mark & (1u << k)) continue;
      if (mark == 0) finder.marksSet.push_back(&mark);
      mark |= 1u << k;
      for (int p = 0; p < patternsPerKind(kind); ++p) {
        if (!holdsCell(matches.starts[p], start)) continue;
        const LineTemplate& t = lineTemplate(rule, kind, p);
        int missing = -1;
        matchLine(line, t, start, mode, missing);  // where the missing stone is
        found.push_back({linePatternMatch(t, x, y, k, w, start, missing), kind,
                         threatKey(p, mode, kind, k, startX, startY)});
      }
    }
  }
}

// Appends the matches of every window around the changed cells to `found`, in scan order.
template <FiveRule rule, ThreatKind kind, ThreatMode mode>
void scanChangedCells(int player, ThreatList& found) {
  for (const ChangedCell& cell : finder.changedCells) {
    const std::uint32_t lines = linesToScan<kind, mode>(cell, player);
    if (lines != 0) scanChangedCell<rule, kind, mode>(cell, lines, player, found);
  }
  for (std::uint8_t* mark : finder.marksSet) *mark = 0;
  finder.marksSet.clear();
}

// Lists the cells that changed since the slot's previous call, in x-then-y order, unless
// the list of the latest run serves. A slot that starts afresh drops its records, and every
// stone is a changed cell.
[[gnu::always_inline]] inline void collectChangedCells(ThreatCache& cache) {
  const ChangeJournal& journal = changeJournal;
  const std::uint32_t from = cache.cursor.position;
  if (cache.cursor.epoch == journal.epoch && from == finder.runFrom &&
      journal.size == finder.runTo && journal.epoch == finder.runEpoch &&
      journal.folds == finder.runFolds) {
    cache.cursor.position = journal.size;
    return;
  }
  const bool fresh = cache.cursor.epoch != journal.epoch;
  finder.changedCells.clear();
  catchUp(
      cache.cursor, [&] { cache.records.clear(); },
      [](int x, int y, Cell, Cell) {
        ChangedCell& cell = finder.changedCells.emplace_back();
        cell.x = x;
        cell.y = y;
        cell.ownCounts[0] = cell.ownCounts[1] = 0;
        for (int k = 0; k < lineDirections; ++k) {
          cell.lines[k] = readAround(x, y, k);
          const SortedCells sorted = sortCells(cell.lines[k].cells, cell.lines[k].onBoard);
          const int w = windowLength(Three);
          cell.ownCounts[0] |= std::popcount(cutLine(sorted.first, w)) << (8 * k);
          cell.ownCounts[1] |= std::popcount(cutLine(sorted.second, w)) << (8 * k);
        }
      });
  finder.runFrom = from;
  finder.runTo = journal.size;
  finder.runEpoch = fresh ? noEpoch : journal.epoch;
  finder.runFolds = journal.folds;
}

// Whether this call rescanned the window of a record: whether a changed cell lies on its
// line within W - 1 steps of its start. The window is read back from the key:
// pattern * 10^7 + mode * 10^6 + kind * 10^5 + k * 10^4 + startX * 100 + startY, where
// startX * 100 + startY lies in -808 .. 2727.
[[gnu::always_inline]] inline bool windowRescanned(const ThreatRecord& record, ThreatKind kind,
                                                   ThreatMode mode) {
  constexpr int lowest = -lowestStartPart;
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

// One call of the finder, for a player whose fives win by `rule`, of one kind and mode: each
// is compiled on its own, with the templates, the window length and the key's fixed parts
// known.
template <FiveRule rule, ThreatKind kind, ThreatMode mode>
const ThreatList& findThreatsWith(int player) {
  ThreatCache& cache = finder.caches[cacheSlot(player, kind, mode)];
  collectChangedCells(cache);
  if (!finder.changedCells.empty()) {
    // The cache holds every match on the board of its previous call, so a record whose
    // window is rescanned now is dropped: the scan lists that window's matches anew, behind
    // the records kept. (A plain loop: on lists of a few records std::erase_if's unrolled
    // search cost more than the tests.)
    auto kept = cache.records.begin();
    for (auto record = cache.records.begin(); record != cache.records.end(); ++record) {
      if (windowRescanned(*record, kind, mode)) continue;
      if (kept != record) *kept = *record;
      ++kept;
    }
    cache.records.erase(kept, cache.records.end());
    scanChangedCells<rule, kind, mode>(player, cache.records);
  }
  return cache.records;
}

using ThreatFinder = const ThreatList& (*)(int player);
template <FiveRule rule>
constexpr ThreatFinder findersOfRule[2][2] = {
    {findThreatsWith<rule, Three, Exact>, findThreatsWith<rule, Three, OneMissing>},
    {findThreatsWith<rule, Four, Exact>, findThreatsWith<rule, Four, OneMissing>}};
constexpr const ThreatFinder (*finders[fiveRuleCount])[2] = {findersOfRule<FiveRule::ExactFive>,
                                                             findersOfRule<FiveRule::FiveOrMore>,
                                                             findersOfRule<FiveRule::Caro>};

}  // namespace

const ThreatList& findThreats(int player, ThreatKind kind, ThreatMode mode) {
  return finders[static_cast<int>(gameState.fiveRules[player])][kind][mode](player);
}

}  // namespace fivefold
