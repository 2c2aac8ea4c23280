// Test boards for the threat detection tests: every test starts from the start-up state
// of the game on a 20 x 20 board.
#pragma once

#include "board_setup.h"
#include "threats/threat_finder.h"

namespace fivefold {

using testing::put;

class ThreatBoardTest : public testing::BoardTest {
 protected:
  void SetUp() override { setBoard(20, 20); }

  static void setBoard(int width, int height) { testing::freshBoard(width, height); }
  static void putRow(int fromX, int toX, int y, Cell value) {
    for (int x = fromX; x <= toX; ++x) put(x, y, value);
  }
};

}  // namespace fivefold
