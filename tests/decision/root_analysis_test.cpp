// The analysis of YXNBEST: the lines that report each depth, held to the search itself.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "core/game_state.h"
#include "core/score_scale.h"
#include "decision/alpha_beta.h"
#include "decision/turn_driver.h"
#include "message_formats.h"
#include "search_fixture.h"

namespace fivefold {
namespace {

struct Reported {
  int depth = 0;
  int rank = 0;
  bool exact = true;
  std::int32_t score = 0;
  std::vector<Square> line;
};

const std::regex depthLineFormat(R"(MESSAGE NBEST D:(\d+) K:(\d+) E:(<=)?(-?\d+) L:(.*))");

class RootAnalysisTest : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    newBoard(20, 20);
    searchState.timeLimited = false;
    searchState.maxDepth = 8;
  }

  // The turn's decision with the analysis of `count` best; its report lines in `reported`.
  TurnDecision analyse(int count) {
    lines.clear();
    gameState.bestCount.store(count);
    const TurnDecision turn = decideMove();
    reported.clear();
    for (const std::string& text : lines) {
      std::smatch match;
      if (!std::regex_match(text, match, depthLineFormat)) continue;
      Reported r{
          std::stoi(match[1]), std::stoi(match[2]), !match[3].matched, std::stoi(match[4]), {}};
      std::istringstream squares(match[5]);
      for (std::string word; squares >> word;) {
        r.line.push_back({std::stoi(word), std::stoi(word.substr(word.find(',') + 1))});
      }
      reported.push_back(r);
    }
    return turn;
  }

  // The score of the root move searched alone with the whole window, as deep as the report
  // says.
  static std::int32_t fullWindowScore(Square move, int depth) {
    setCell(move.x, move.y, 1);
    const std::int32_t r = alphaBeta(2, depth - 1, -scoreInfinity, scoreInfinity);
    setCell(move.x, move.y, 0);
    return decayScore(-r);
  }

  // Checks every reported line against the board and the search, and the last depth's best
  // line against the move played.
  void checkReport(const TurnDecision& turn, int count) {
    ASSERT_FALSE(reported.empty());
    for (std::size_t i = 0; i < reported.size(); ++i) {
      const Reported& r = reported[i];
      SCOPED_TRACE("depth " + std::to_string(r.depth) + " rank " + std::to_string(r.rank));
      if (r.rank > 1) {
        EXPECT_EQ(r.depth, reported[i - 1].depth);
        EXPECT_EQ(r.rank, reported[i - 1].rank + 1);
        EXPECT_LE(r.score, reported[i - 1].score);
      }
      // A legal line: distinct empty squares of the board.
      ASSERT_FALSE(r.line.empty());
      std::set<std::pair<int, int>> seen;
      for (const Square square : r.line) {
        EXPECT_TRUE(isOnBoard(square.x, square.y) && cellAt(square.x, square.y) == 0);
        EXPECT_TRUE(seen.insert({square.x, square.y}).second);
      }
      if (r.depth == 0) continue;
      const std::int32_t full = fullWindowScore(r.line[0], r.depth);
      if (r.exact) {
        EXPECT_EQ(r.score, full);
      } else {
        EXPECT_LE(full, r.score);
      }
      // The window gives the count best their exact scores.
      if (r.rank <= count && (i + 1 == reported.size() || reported[i + 1].score < r.score)) {
        EXPECT_TRUE(r.exact);
      }
    }
    const auto best = std::find_if(reported.rbegin(), reported.rend(),
                                   [](const Reported& r) { return r.rank == 1; });
    EXPECT_EQ(best->line[0], turn.move);
    EXPECT_EQ(best->score, turn.score);
  }

  std::vector<Reported> reported;
};

// A middle game with no threat, a forced win for us, and a four of the opponent's to block:
// at one, three and all of the best, every report is the search's own.
TEST_F(RootAnalysisTest, EveryExactScoreIsTheFullWindowSearchAndTheLineLeadsToTheMove) {
  const auto positions = {
      +[] {
        putAll({{9, 9}, {10, 11}, {7, 12}, {8, 8}, {11, 9}}, 1);
        putAll({{10, 10}, {8, 9}, {11, 8}, {9, 10}, {12, 12}}, 2);
      },
      +[] {
        put(4, 10, 2);
        putLine(5, 10, 1, 0, 3, 1);
        put(8, 14, 2);
        putLine(8, 11, 0, 1, 3, 1);
        putAll({{10, 12}, {11, 11}}, 2);
      },
      +[] {
        putLine(6, 6, 1, 1, 4, 2);
        putAll({{5, 5}, {6, 8}, {7, 8}, {9, 6}}, 1);
      },
  };
  for (const auto& setUp : positions) {
    resetAll();
    newBoard(20, 20);
    searchState.timeLimited = false;
    searchState.maxDepth = 8;
    setUp();
    for (const int count : {1, 3, 10}) {
      SCOPED_TRACE("best " + std::to_string(count));
      const TurnDecision turn = analyse(count);
      checkReport(turn, count);
      if (count == 10) {
        for (const Reported& r : reported) EXPECT_TRUE(r.exact);
      }
    }
  }
}

// With one best the search is the plain one: the same move, score and nodes; without the
// request no line is added.
TEST_F(RootAnalysisTest, OneBestSearchesAsThePlainSearchDoes) {
  putAll({{9, 9}, {10, 11}, {7, 12}, {8, 8}}, 1);
  putAll({{10, 10}, {8, 9}, {11, 8}, {9, 10}}, 2);
  const TurnDecision plain = analyse(0);
  const std::int64_t plainNodes = searchState.nodeCount;
  ASSERT_EQ(lines.size(), 0u);  // the bench's fixed depth has no line
  EXPECT_TRUE(reported.empty());
  const TurnDecision analysed = analyse(1);
  EXPECT_EQ(analysed.move, plain.move);
  EXPECT_EQ(analysed.score, plain.score);
  EXPECT_EQ(searchState.nodeCount, plainNodes);
  EXPECT_EQ(reported.size(), lines.size());
  EXPECT_EQ(reported.front().depth, 6);
  EXPECT_EQ(reported.back().depth, 8);
}

}  // namespace
}  // namespace fivefold
