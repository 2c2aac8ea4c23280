#include "decision/opening_moves.h"

#include <gtest/gtest.h>

#include <optional>

#include "opening_board.h"

namespace fivefold {
namespace {

using OpeningTest = OpeningBoardTest;

constexpr std::optional<Square> declined;

// Skips values of the generator until the next one has the wanted parity.
void nextValueIs(bool odd) {
  int skip = 0;
  for (;; ++skip) {
    resetOpeningRandom();
    for (int i = 0; i < skip; ++i) openingRandom();
    if ((openingRandom() % 2 != 0) == odd) break;
  }
  resetOpeningRandom();
  for (int i = 0; i < skip; ++i) openingRandom();
}

TEST_F(OpeningTest, FirstMoveIsTheCentre) {
  newGame(15, 15);
  EXPECT_EQ(chooseOpeningMove(), (Square{7, 7}));
  newGame(20, 20);
  EXPECT_EQ(chooseOpeningMove(), (Square{10, 10}));
  newGame(20, 15);
  EXPECT_EQ(chooseOpeningMove(), (Square{10, 7}));
}

TEST_F(OpeningTest, ReplyToTheFirstStoneStepsDiagonallyTowardsTheCentre) {
  const Square replies[][2] = {{{7, 7}, {8, 8}}, {{3, 12}, {4, 11}}, {{12, 3}, {11, 4}}};
  for (const auto& [stone, answer] : replies) {
    resetGameState();
    newGame(15, 15);
    placeOpponentStone(stone.x, stone.y);
    EXPECT_EQ(chooseOpeningMove(), answer);
  }
  // No opponent stone recorded yet: the last opponent move is 0,0.
  resetGameState();
  newGame(15, 15);
  placeOwnStone(7, 7);
  EXPECT_EQ(chooseOpeningMove(), (Square{1, 1}));
  EXPECT_EQ(openingRandom(), 1804289383);  // rule 2 draws nothing
}

TEST_F(OpeningTest, AnswerToTheFirstReplyDependsOnSideAndRandomBit) {
  struct Case {
    Square reply;
    Square odd;
    Square even;
  };
  const Case cases[] = {
      {{9, 9}, {8, 6}, {6, 8}},  {{5, 4}, {8, 6}, {6, 8}}, {{9, 5}, {6, 6}, {8, 8}},
      {{4, 10}, {6, 6}, {8, 8}}, {{7, 5}, {6, 6}, {8, 6}}, {{7, 12}, {6, 8}, {8, 8}},
      {{8, 7}, {8, 6}, {8, 8}},  {{0, 7}, {6, 6}, {6, 8}},
  };
  for (const Case& c : cases) {
    for (bool odd : {true, false}) {
      SCOPED_TRACE(::testing::Message() << c.reply.x << "," << c.reply.y << " odd " << odd);
      resetGameState();
      newGame(15, 15);
      placeOwnStone(7, 7);
      placeOpponentStone(c.reply.x, c.reply.y);
      nextValueIs(odd);
      EXPECT_EQ(chooseOpeningMove(), odd ? c.odd : c.even);
    }
  }
}

TEST_F(OpeningTest, LaterMovesAreLeftToTheTurnDriver) {
  newGame(15, 15);
  placeOwnStone(7, 7);
  placeOpponentStone(8, 8);
  placeOwnStone(6, 8);
  EXPECT_EQ(chooseOpeningMove(), declined);
  gameState.moveNumber = 40;
  EXPECT_EQ(chooseOpeningMove(), declined);
}

TEST_F(OpeningTest, ReplyOnTheCentreDeclinesWithoutDrawing) {
  newGame(15, 15);
  placeOwnStone(3, 3);
  placeOpponentStone(7, 7);
  EXPECT_EQ(chooseOpeningMove(), declined);
  EXPECT_EQ(openingRandom(), 1804289383);
}

TEST_F(OpeningTest, TakenSquareDeclinesAfterDrawing) {
  newGame(15, 15);
  placeOwnStone(8, 6);  // where the odd answer to 9,9 would go
  placeOpponentStone(9, 9);
  EXPECT_EQ(chooseOpeningMove(), declined);  // the first value is odd
  EXPECT_EQ(openingRandom(), 846930886);
  // The centre itself can be taken too, e.g. by a winning-line stone from BOARD.
  resetGameState();
  newGame(15, 15);
  placeWinningStone(7, 7);
  EXPECT_EQ(chooseOpeningMove(), declined);
}

TEST_F(OpeningTest, SquareOffTheBoardDeclines) {
  newGame(20, 20);
  placeOpponentStone(19, 19);
  newGame(10, 10);  // a smaller game keeps the earlier last opponent move
  placeOwnStone(5, 5);
  EXPECT_EQ(chooseOpeningMove(), declined);  // 18,18
  resetGameState();                          // no board at all
  EXPECT_EQ(chooseOpeningMove(), declined);
}

}  // namespace
}  // namespace fivefold
