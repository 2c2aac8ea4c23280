#include "core/change_journal.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <iterator>

#include "core/grid.h"

namespace fivefold {

ChangeJournal changeJournal;

namespace {

constexpr std::size_t initialCapacity = 1 << 14;
constexpr int squareWords = (boardCells + 63) / 64;

// The registered readers. Plain pointers in a fixed table: readers live in static state
// (the threat finder's eight caches, the board evaluator, the two players' area gains) and
// in tests, and register before their first use. The table has room for several times the
// engine's eleven, so a test may keep a few of its own; a cursor beyond it is a fault.
constexpr int maxReaders = 64;
JournalCursor* readers[maxReaders] = {};
int readerCount = 0;

// Scratch of one netting pass: which squares were written, their first value before and
// their last value after, and the squares in ascending order.
struct NetScratch {
  std::uint64_t written[squareWords] = {};
  std::uint8_t before[boardCells] = {};
  std::uint8_t after[boardCells] = {};
  PendingSquare pending[boardCells] = {};
  std::uint32_t stamp[boardCells] = {};  // the short runs' marks: the call that saw a square
  std::uint32_t stampNow = 0;
  // The run the pending list was last made for; folding forgets it.
  std::uint32_t lastFrom = 0;
  std::uint32_t lastTo = 0;
  std::uint32_t lastEpoch = noEpoch;
  int lastCount = 0;
};

NetScratch scratch;

void ensureCapacity() {
  if (changeJournal.entries.empty()) changeJournal.entries.resize(initialCapacity);
}

// Nets entries [from, to): afterwards scratch.written marks the squares written, with the
// value each held before the first and after the last of those writes.
void netEntries(std::uint32_t from, std::uint32_t to) {
  const JournalEntry* entry = changeJournal.entries.data();
  for (std::uint32_t i = from; i < to; ++i) {
    const JournalEntry e = entry[i];
    std::uint64_t& word = scratch.written[e.index >> 6];
    const std::uint64_t bit = std::uint64_t{1} << (e.index & 63);
    if ((word & bit) == 0) {
      word |= bit;
      scratch.before[e.index] = e.before;
    }
    scratch.after[e.index] = e.after;
  }
}

// Calls visit(index) for every square marked in scratch.written, ascending, and clears
// the marks.
template <typename Visit>
void drainWritten(Visit&& visit) {
  for (int w = 0; w < squareWords; ++w) {
    for (std::uint64_t bits = scratch.written[w]; bits != 0; bits &= bits - 1) {
      visit(w * 64 + std::countr_zero(bits));
    }
    scratch.written[w] = 0;
  }
}

int makePendingList(std::uint32_t from, std::uint32_t to) {
  PendingSquare* pending = scratch.pending;
  int count = 0;
  // Between two calls of a reader in the search only a few writes usually pass: a short
  // list searched and sorted in place costs less than the square marks.
  constexpr std::uint32_t shortRun = 24;
  if (to - from <= shortRun) {
    // A square is new to this call unless it carries this call's stamp.
    if (++scratch.stampNow == 0) {
      std::fill(std::begin(scratch.stamp), std::end(scratch.stamp), 0);
      scratch.stampNow = 1;
    }
    const std::uint32_t now = scratch.stampNow;
    for (std::uint32_t e = from; e < to; ++e) {
      const JournalEntry entry = changeJournal.entries[e];
      if (scratch.stamp[entry.index] == now) continue;
      scratch.stamp[entry.index] = now;
      pending[count++] = {entry.index, entry.before};
    }
    for (int i = 1; i < count; ++i) {
      const PendingSquare square = pending[i];
      int j = i;
      for (; j > 0 && pending[j - 1].index > square.index; --j) pending[j] = pending[j - 1];
      pending[j] = square;
    }
    return count;
  }
  netEntries(from, to);
  drainWritten([&](int index) { pending[count++] = {index, scratch.before[index]}; });
  return count;
}

}  // namespace

JournalCursor::JournalCursor() {
  ensureCapacity();
  if (readerCount == maxReaders) std::abort();  // a fixed set of readers; more is a bug
  readers[readerCount++] = this;
}

JournalCursor::~JournalCursor() {
  JournalCursor** end = readers + readerCount;
  JournalCursor** self = std::find(readers, end, this);
  if (self != end) {
    *self = readers[--readerCount];
    readers[readerCount] = nullptr;
  }
}

void restartReaders() {
  ensureCapacity();
  changeJournal.size = 0;
  changeJournal.epoch += 1;
}

PendingSquares takePendingSquares(JournalCursor& cursor) {
  const std::uint32_t from = cursor.position;
  const std::uint32_t to = changeJournal.size;
  cursor.position = to;
  PendingSquare* pending = scratch.pending;
  // Readers called one after another from the same place (the threat finder's slots at a
  // search node) ask for the same run: the list made for the previous one serves.
  if (from == scratch.lastFrom && to == scratch.lastTo &&
      changeJournal.epoch == scratch.lastEpoch) {
    return {pending, scratch.lastCount};
  }
  scratch.lastFrom = from;
  scratch.lastTo = to;
  scratch.lastEpoch = changeJournal.epoch;
  scratch.lastCount = makePendingList(from, to);
  return {pending, scratch.lastCount};
}

void foldJournal() {
  ensureCapacity();
  ChangeJournal& journal = changeJournal;
  // The distinct places where a reader of this epoch stands, ascending; entries before
  // the first are seen by every reader and are dropped.
  std::uint32_t marks[maxReaders + 1];
  int markCount = 0;
  for (int r = 0; r < readerCount; ++r) {
    if (readers[r]->epoch == journal.epoch) marks[markCount++] = readers[r]->position;
  }
  std::sort(marks, marks + markCount);
  markCount = static_cast<int>(std::unique(marks, marks + markCount) - marks);

  // Each stretch between two marks becomes one entry per square it changed. A square that
  // ends a stretch with the value it began with is left out: a reader before the stretch
  // meets the square's same earlier value in a later stretch, or not at all.
  std::uint32_t newPlace[maxReaders + 1];
  std::uint32_t written = 0;
  for (int m = 0; m < markCount; ++m) {
    const std::uint32_t from = marks[m];
    const std::uint32_t to = m + 1 < markCount ? marks[m + 1] : journal.size;
    newPlace[m] = written;
    netEntries(from, to);
    drainWritten([&](int index) {
      if (scratch.before[index] != scratch.after[index]) {
        journal.entries[written++] = {static_cast<std::uint16_t>(index), scratch.before[index],
                                      scratch.after[index]};
      }
    });
  }
  for (int r = 0; r < readerCount; ++r) {
    JournalCursor& reader = *readers[r];
    if (reader.epoch != journal.epoch) continue;
    const int m =
        static_cast<int>(std::lower_bound(marks, marks + markCount, reader.position) - marks);
    reader.position = newPlace[m];
  }
  journal.size = written;
  journal.folds += 1;
  scratch.lastEpoch = noEpoch;
  // Keep room for at least as many new entries as survived.
  if (journal.size * 2 > journal.entries.size()) journal.entries.resize(journal.entries.size() * 2);
}

}  // namespace fivefold
