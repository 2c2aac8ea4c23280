// The command loop run in-process, to see the game state that the protocol does not show.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/output.h"
#include "protocol/command_loop.h"
#include "protocol/handoff.h"
#include "protocol/search_worker.h"

namespace fivefold {
namespace {

struct TextInput {
  std::string text;
  std::size_t position = 0;
};

int readText(void* context) {
  auto* input = static_cast<TextInput*>(context);
  if (input->position >= input->text.size()) return -1;
  return static_cast<unsigned char>(input->text[input->position++]);
}

Square deciderFarCorner() {
  return {gameState.width - 1, gameState.height - 1};
}

class CommandDispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetGameState();
    resetHandoff();
    setLineCapture(&lines);
    setMoveDecider(deciderFarCorner);
    startSearchWorker();
  }
  void TearDown() override {
    stopSearchAndWait();
    setLineCapture(nullptr);
    setMoveDecider(nullptr);
    setCommandInput(nullptr, nullptr);
  }
  // Runs the lines through the loop; returns false when a command asked to exit.
  bool run(const std::string& text) {
    input.text = text;
    input.position = 0;
    setCommandInput(readText, &input);
    while (readCommandLine()) {
      if (dispatchCommand() == LoopAction::Exit) return false;
    }
    stopSearchAndWait();
    return true;
  }
  TextInput input;
  std::vector<std::string> lines;
};

TEST_F(CommandDispatchTest, MoveNumberCountsPlacedStonesOnly) {
  EXPECT_TRUE(run("START 15\nPLAY 1,1\nTAKEBACK 1,1\n"));
  EXPECT_EQ(2, gameState.moveNumber);  // a takeback does not lower it
  EXPECT_EQ(0, cellAt(1, 1));
  EXPECT_TRUE(run("BOARD\n1,1,1\n2,2,3\n3,3,2\ndone\n"));
  // BOARD starts from 1: two stones count, the winning-line stone does not; then the
  // engine's own move.
  EXPECT_EQ(4, gameState.moveNumber);
  EXPECT_EQ(3, cellAt(2, 2));
  EXPECT_EQ(1, cellAt(14, 14));
}

TEST_F(CommandDispatchTest, LastOpponentMoveSurvivesNewGamesAndBoard) {
  EXPECT_TRUE(run("START 15\nTURN 6,7\n"));
  EXPECT_EQ(6, gameState.lastOpponentX);
  EXPECT_EQ(7, gameState.lastOpponentY);
  EXPECT_TRUE(run("START 15\nBEGIN\nTAKEBACK 14,14\nBOARD\n1,1,1\nDONE\n"));
  EXPECT_EQ(6, gameState.lastOpponentX);
  EXPECT_EQ(7, gameState.lastOpponentY);
  EXPECT_TRUE(run("BOARD\n1,1,1\n3,2,2\nDONE\n"));
  EXPECT_EQ(3, gameState.lastOpponentX);
  EXPECT_EQ(2, gameState.lastOpponentY);
}

TEST_F(CommandDispatchTest, InfoSetsTheTimeAndFolderSettings) {
  const std::string longFolder(300, 'f');
  EXPECT_TRUE(
      run("INFO timeout_turn 5000\nINFO time_left   -20\nINFO folder " + longFolder + "\n"));
  EXPECT_EQ(5000, gameState.timeoutTurn.load());
  EXPECT_EQ(-20, gameState.timeLeft.load());
  // The line was cut to 255 characters; the folder is what is left of it after the key.
  EXPECT_EQ(std::string(255 - std::strlen("INFO folder "), 'f'), gameState.dataFolder);
  EXPECT_TRUE(run("info TIMEOUT_TURN99\ninfo time_left 99999999999\n"));
  EXPECT_EQ(99, gameState.timeoutTurn.load());
  EXPECT_EQ(2147483647, gameState.timeLeft.load());
  EXPECT_TRUE(lines.empty());
}

TEST_F(CommandDispatchTest, RejectedSizeKeepsBoardAndStones) {
  EXPECT_TRUE(run("START 12\nPLAY 3,3\nSTART 25\nRECTSTART 10,3\n"));
  EXPECT_EQ(12, gameState.width);
  EXPECT_EQ(12, gameState.height);
  EXPECT_EQ(2, gameState.moveNumber);
  EXPECT_EQ(1, cellAt(3, 3));
}

TEST_F(CommandDispatchTest, EndAndEndOfInputInsideBoardAskToExit) {
  EXPECT_FALSE(run("START 15\nEND\nABOUT\n"));
  EXPECT_EQ((std::vector<std::string>{"OK"}), lines);
  EXPECT_FALSE(run("BOARD\n1,1,1\n"));
}

}  // namespace
}  // namespace fivefold
