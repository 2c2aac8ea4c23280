// fivefold-bench: decides the engine's move on a set of positions at a fixed depth with
// no time limit, and prints one JSON line per position and a node-count signature.
//
// Usage: fivefold-bench [--depth D] [--rule R] [--nbest N] [FILE] | --list
//   D: an even number from 6 to 100 (default 8). R: the rule of the game, exact5 (the
//   default), freestyle, caro or renju (black is the side to move when the stones are even in
//   number, as in a game). N: the analysis of YXNBEST N on every position (default 0: none),
//   which costs what the analysis costs. FILE: a position file ("-" reads
//   standard input; default: the built-in set). One position per line: "W H x,y,c ...",
//   the playing size, then the stones in the order they were placed (c = 1 the engine's,
//   2 the opponent's, 3 a winning-line stone). Blank lines and lines starting with "#"
//   are skipped; a malformed line is reported on standard error and skipped.
//   --list prints the built-in positions in that format.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench_positions.h"
#include "core/game_state.h"
#include "core/output.h"
#include "decision/opening_moves.h"
#include "decision/opening_random.h"
#include "decision/search_clock.h"
#include "decision/turn_driver.h"

namespace fivefold {
namespace {

struct Stone {
  int x, y, c;
};

struct Position {
  int width = 0, height = 0;
  std::vector<Stone> stones;
};

bool parseInt(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
  }
  value = std::atoi(text.c_str());
  return true;
}

// Reads one position line; on failure returns false with the reason.
bool parsePosition(const std::string& line, Position& position, std::string& reason) {
  std::istringstream words(line);
  std::string word;
  if (!(words >> word) || !parseInt(word, position.width) || !(words >> word) ||
      !parseInt(word, position.height)) {
    reason = "expected the board width and height";
    return false;
  }
  if (position.width < minBoardSize || position.width > maxBoardSize ||
      position.height < minBoardSize || position.height > maxBoardSize) {
    reason = "board size must be 5..20";
    return false;
  }
  bool taken[boardCells] = {};
  while (words >> word) {
    Stone stone{};
    const std::size_t first = word.find(',');
    const std::size_t second = first == std::string::npos ? first : word.find(',', first + 1);
    if (second == std::string::npos || !parseInt(word.substr(0, first), stone.x) ||
        !parseInt(word.substr(first + 1, second - first - 1), stone.y) ||
        !parseInt(word.substr(second + 1), stone.c)) {
      reason = "bad stone '" + word + "' (expected x,y,c)";
      return false;
    }
    if (stone.x < 0 || stone.x >= position.width || stone.y < 0 || stone.y >= position.height) {
      reason = "stone '" + word + "' is off the board";
      return false;
    }
    if (stone.c < 1 || stone.c > 3) {
      reason = "stone '" + word + "' has a colour other than 1, 2 or 3";
      return false;
    }
    if (taken[stone.x * boardStride + stone.y]) {
      reason = "stone '" + word + "' is on a square already taken";
      return false;
    }
    taken[stone.x * boardStride + stone.y] = true;
    position.stones.push_back(stone);
  }
  return true;
}

// The position as a freshly started brain holds it after RECTSTART, BOARD and the
// stone lines, with the turn about to start.
void setUpFreshBrain(const Position& position, GameRule rule) {
  resetGameState();
  gameState.ruleAsked.store(rule, std::memory_order_relaxed);
  resetOpeningRandom();
  resetSearchState();
  setPlayingSize(position.width, position.height);
  gameState.moveNumber = 1;
  for (const Stone& stone : position.stones) {
    if (stone.c == 1) placeOwnStone(stone.x, stone.y);
    if (stone.c == 2) placeOpponentStone(stone.x, stone.y);
    if (stone.c == 3) placeWinningStone(stone.x, stone.y);
  }
  takeUpAskedRule();  // as the worker does when a turn starts
  setStopSearch(0);
}

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

struct Totals {
  int positions = 0;
  std::int64_t nodes = 0;
  std::int64_t ms = 0;
};

void runPosition(const Position& position, int depth, GameRule rule, int bestCount,
                 Totals& totals) {
  setUpFreshBrain(position, rule);
  gameState.bestCount.store(bestCount, std::memory_order_relaxed);
  searchState.timeLimited = false;
  searchState.maxDepth = depth;
  std::vector<std::string> messages;
  setLineCapture(&messages);
  const auto start = std::chrono::steady_clock::now();
  const std::optional<Square> opening = chooseOpeningMove();
  // An opening move is no search: score, depth and nodes 0.
  const TurnDecision turn = opening ? TurnDecision{.move = *opening} : decideMove();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  setLineCapture(nullptr);
  const std::int64_t nodes = opening ? 0 : searchState.nodeCount;
  totals.positions += 1;
  totals.nodes += nodes;
  totals.ms += ms;
  std::ostringstream line;
  line << "{\"pos\":" << totals.positions << ",\"move\":\"" << turn.move.x << "," << turn.move.y
       << "\",\"score\":" << turn.score << ",\"depth\":" << turn.depth << ",\"nodes\":" << nodes
       << ",\"ms\":" << ms << ",\"messages\":[";
  for (std::size_t i = 0; i < messages.size(); ++i) {
    std::string message = messages[i];
    if (message.rfind("MESSAGE ", 0) == 0) message.erase(0, 8);
    if (i > 0) line << ',';
    line << jsonString(message);
  }
  line << "]}";
  std::cout << line.str() << std::endl;
}

int usage() {
  std::cerr << "usage: fivefold-bench [--depth D] [--rule R] [--nbest N] [FILE] | --list  (D "
               "even, 6..100; R exact5, freestyle, caro or renju; N 0..10; FILE or - for stdin)\n";
  return 2;
}

int run(int argc, char** argv) {
  int depth = 8;
  int bestCount = 0;
  GameRule rule = GameRule::ExactFive;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--list" && argc == 2) {
      for (int p = 0; p < builtinBenchPositionCount; ++p)
        std::cout << builtinBenchPositions[p] << "\n";
      return 0;
    }
    if (arg == "--depth" && i + 1 < argc) {
      if (!parseInt(argv[++i], depth) || depth < 6 || depth > 100 || depth % 2 != 0) {
        return usage();
      }
    } else if (arg == "--nbest" && i + 1 < argc) {
      if (!parseInt(argv[++i], bestCount) || bestCount < 0 || bestCount > 10) return usage();
    } else if (arg == "--rule" && i + 1 < argc) {
      const std::optional<GameRule> named = ruleNamed(argv[++i]);
      if (!named) return usage();
      rule = *named;
    } else if (file == nullptr && (arg == "-" || arg.rfind("-", 0) != 0)) {
      file = argv[i];
    } else {
      return usage();
    }
  }

  std::vector<std::string> lines;
  if (file == nullptr) {
    lines.assign(builtinBenchPositions, builtinBenchPositions + builtinBenchPositionCount);
  } else {
    std::ifstream stream;
    std::istream* in = &std::cin;
    if (std::string(file) != "-") {
      stream.open(file);
      if (!stream) {
        std::cerr << "cannot read " << file << "\n";
        return 2;
      }
      in = &stream;
    }
    for (std::string line; std::getline(*in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
  }

  Totals totals;
  bool malformed = false;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    Position position;
    std::string reason;
    if (!parsePosition(line, position, reason)) {
      std::cerr << "line " << n + 1 << ": " << reason << std::endl;
      malformed = true;
      continue;
    }
    runPosition(position, depth, rule, bestCount, totals);
  }
  const std::int64_t nps = totals.nodes * 1000 / (totals.ms > 0 ? totals.ms : 1);
  std::cout << "{\"positions\":" << totals.positions << ",\"nodes\":" << totals.nodes
            << ",\"ms\":" << totals.ms << ",\"nps\":" << nps << "}" << std::endl;
  return malformed ? 1 : 0;
}

}  // namespace
}  // namespace fivefold

int main(int argc, char** argv) {
  return fivefold::run(argc, argv);
}
