// The change journal: every write to the grid is recorded here, so that the incremental
// parts of the move decision can catch up with the grid from the writes made since their
// previous call instead of comparing a copy of the whole grid with it.
//
// A reader keeps a cursor: the number of entries it has seen, and the epoch it saw them
// in. Clearing the grid starts a new epoch with an empty journal, which sends every reader
// back to a fresh start. The journal is bounded: when it fills, the entries between any two
// neighbouring reader positions are folded into at most one per square (the square's value
// before and after them), which leaves what every reader will see unchanged.
#pragma once

#include <cstdint>
#include <vector>

namespace fivefold {

struct JournalEntry {
  std::uint16_t index;  // the square, x * 20 + y
  std::uint8_t before;  // its value before the write
  std::uint8_t after;   // and after
};

// The journal's epochs start at 1 and only count up (restartReaders), so a reader or a
// cached list marked with noEpoch never belongs to the current epoch.
constexpr std::uint32_t noEpoch = 0;

// A reader's place in the journal. It registers itself with the journal while it exists,
// so that folding can keep the entries it has not seen yet.
struct JournalCursor {
  std::uint32_t position = 0;     // entries seen
  std::uint32_t epoch = noEpoch;  // the epoch they belong to; noEpoch: nothing seen yet

  JournalCursor();
  ~JournalCursor();
  JournalCursor(const JournalCursor&) = delete;
  JournalCursor& operator=(const JournalCursor&) = delete;
};

struct ChangeJournal {
  std::vector<JournalEntry> entries;  // sized to the capacity; the first `size` are used
  std::uint32_t size = 0;
  std::uint32_t epoch = noEpoch + 1;
  std::uint32_t folds = 0;  // folds so far: a position before a fold means another run after it
};

extern ChangeJournal changeJournal;

// Folds the journal to make room (see above); grows it if folding frees too little.
void foldJournal();

inline void recordWrite(int index, int before, int after) {
  ChangeJournal& journal = changeJournal;
  if (journal.size == journal.entries.size()) foldJournal();
  journal.entries[journal.size++] = {static_cast<std::uint16_t>(index),
                                     static_cast<std::uint8_t>(before),
                                     static_cast<std::uint8_t>(after)};
}

// A new epoch: every reader starts afresh at its next call. Clearing the grid and a new
// playing size do this; tests use it to send the readers back to their start-up state.
void restartReaders();

// For a reader that is up to date with the current epoch: the squares written since its
// position, in ascending index order, each with the value it held at that position. Moves
// the cursor to the end. The list is valid until the next call.
struct PendingSquare {
  std::int32_t index;
  std::int32_t before;
};
struct PendingSquares {
  const PendingSquare* squares;
  int count;
};
PendingSquares takePendingSquares(JournalCursor& cursor);

}  // namespace fivefold
