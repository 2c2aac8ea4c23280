#include "protocol/command_loop.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/game_state.h"
#include "core/output.h"
#include "core/renju_fouls.h"
#include "protocol/handoff.h"
#include "protocol/number_scan.h"
#include "protocol/platform_io.h"
#include "protocol/search_worker.h"

namespace fivefold {

char commandLine[256];

namespace {

int readStandardInput(void*) {
  return std::getchar();
}

CharReader inputReader = readStandardInput;
void* inputContext = nullptr;

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when text begins with keyword, ASCII case ignored.
bool startsWithKeyword(const char* text, std::string_view keyword) {
  for (const char c : keyword) {
    if (*text == '\0' || lowerAscii(*text) != c) return false;
    ++text;
  }
  return true;
}

bool equalsIgnoringCase(const char* text, std::string_view word) {
  return startsWithKeyword(text, word) && text[word.size()] == '\0';
}

const char* skipBlanks(const char* p) {
  while (isBlank(*p)) ++p;
  return p;
}

// The board preamble of every command that reads or changes the board.
void boardPreamble() {
  stopSearchAndWait();
  if (gameState.width == 0) {
    setUpDefaultBoard();
    printLine("OK");
  }
}

// Steps common to START and RECTSTART once the new size is known.
void applyBoardSize(std::int32_t width, std::int32_t height) {
  if (width == 0) {
    setUpDefaultBoard();
    printLine("OK");
    width = gameState.width;
    height = gameState.height;
  }
  if (width >= minBoardSize && width <= maxBoardSize && height >= minBoardSize &&
      height <= maxBoardSize) {
    setPlayingSize(width, height);
    startGame();
    clearGrid();  // a new game starts on an empty board
    printLine("OK");
  } else {
    printLine("ERROR size of the board");
  }
}

void commandStart(const char* args) {
  std::int32_t v[2];
  const int read = scanIntegers(args, "%d %d", v, 2);
  stopSearchAndWait();
  std::int32_t width = gameState.width;
  std::int32_t height = gameState.height;
  if (read == 2) {
    width = v[0];
    height = v[1];
  } else if (read == 1) {
    width = v[0];
    height = v[0];
  }
  applyBoardSize(width, height);
}

void commandRectStart(const char* args) {
  std::int32_t v[2];
  if (scanIntegers(args, "%d ,%d", v, 2) < 2) {
    printLine("ERROR bad RECTSTART parameters");
    return;
  }
  stopSearchAndWait();
  applyBoardSize(v[0], v[1]);
}

// Parses "x,y" of TURN, PLAY and TAKEBACK; false when unreadable or off the board.
bool readSquare(const char* args, std::int32_t& x, std::int32_t& y) {
  std::int32_t v[2];
  if (scanIntegers(args, "%d,%d", v, 2) < 2 || !isOnBoard(v[0], v[1])) return false;
  x = v[0];
  y = v[1];
  return true;
}

// Places a stone of who (1 own, 2 opponent, 3 winning line) on an empty square, or reports
// the square as taken.
void placeOrReport(std::int32_t who, std::int32_t x, std::int32_t y) {
  const bool empty = cellAt(x, y) == 0;
  switch (who) {
    case 1:
      if (empty) {
        placeOwnStone(x, y);
      } else {
        printLine("ERROR my move [%d,%d]", x, y);
      }
      break;
    case 2:
      if (empty) {
        placeOpponentStone(x, y);
      } else {
        // "opponents's" is the protocol's own text, which managers expect as it stands.
        printLine("ERROR opponents's move [%d,%d]", x, y);
      }
      break;
    default:
      if (empty) {
        placeWinningStone(x, y);
      } else {
        printLine("ERROR winning move [%d,%d]", x, y);
      }
      break;
  }
}

// The start of TURN and PLAY: the board preamble, then their square; false (after the
// error reply) when it is unreadable or off the board.
bool preambleAndSquare(const char* args, std::int32_t& x, std::int32_t& y) {
  boardPreamble();
  if (readSquare(args, x, y)) return true;
  printLine("ERROR bad coordinates");
  return false;
}

void commandTurn(const char* args) {
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (!preambleAndSquare(args, x, y)) return;
  placeOrReport(2, x, y);
  startTurn();
}

void commandPlay(const char* args) {
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (!preambleAndSquare(args, x, y)) return;
  placeOrReport(1, x, y);
  printLine("%d,%d", x, y);
}

void commandBegin() {
  boardPreamble();
  startGame();
  startTurn();
}

// Reads a stone line of BOARD from commandLine, for a board of the given size; false for
// any other line.
bool readBoardStone(std::int32_t (&v)[3], std::int32_t width, std::int32_t height) {
  return scanIntegers(commandLine, "%d,%d,%d", v, 3) == 3 && v[0] >= 0 && v[0] < width &&
         v[1] >= 0 && v[1] < height && v[2] >= 1 && v[2] <= 3;
}

// Reads the stone lines after BOARD up to the line that ends them.
LoopAction commandBoard() {
  boardPreamble();
  clearGrid();  // a new game starts on an empty board
  startGame();
  for (;;) {
    if (!readCommandLine()) return LoopAction::Exit;
    std::int32_t v[3];
    if (!readBoardStone(v, gameState.width, gameState.height)) break;
    placeOrReport(v[2], v[0], v[1]);
  }
  if (!equalsIgnoringCase(commandLine, "done")) {
    printLine("ERROR x,y,who or DONE expected after BOARD");
  }
  startTurn();
  return LoopAction::Continue;
}

void commandTakeback(const char* args) {
  boardPreamble();
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (readSquare(args, x, y) && cellAt(x, y) != 0) {
    removeStone(x, y);
    printLine("OK");
  } else {
    printLine("ERROR bad coordinates");
  }
}

// A limit of INFO max_depth or max_node: a positive value sets it, any other removes it.
std::int32_t limitValue(const char* value) {
  const std::int32_t n = parseClampedInt(value);
  return n > 0 ? n : 0;
}

// YXSHOWFORBID: black's fouls under renju in the position on the board: "FORBID ", each foul
// as its x and y in two digits each, and a closing dot; "FORBID ." when there is none, when
// white is to move (the sides' stones differ in number), and under any other rule. Black is
// the side of the game's first stone (BOARD lists the stones in the order played).
void commandShowForbid() {
  boardPreamble();
  const StoneCounts counts = countStones();
  const int black = gameState.firstStoneSide == 2 ? 2 : 1;
  std::string line = "FORBID ";
  if (counts.of[1] == counts.of[2]) {
    setGameRule(gameState.ruleAsked.load(std::memory_order_relaxed), black);
  }
  if (counts.of[1] == counts.of[2] && movesMayFoul(black)) {
    for (int x = 0; x < gameState.width; ++x) {
      for (int y = 0; y < gameState.height; ++y) {
        if (cellAt(x, y) != 0 || renjuFoul(x, y) == Foul::None) continue;
        char square[24];
        std::snprintf(square, sizeof square, "%02d%02d", x, y);
        line += square;
      }
    }
  }
  line += '.';
  printLine("%s", line.c_str());
}

// INFO rule: the rule the next turns are played by, taken up by the worker when a turn
// starts. A value the engine does not know is played as exact five, and said so.
void commandRule(std::int32_t value) {
  const RuleFromInfo asked = ruleFromInfo(value);
  if (!asked.known) {
    printLine("MESSAGE INFO rule %d is not a rule Fivefold knows: it plays exact five", value);
  }
  gameState.ruleAsked.store(asked.rule, std::memory_order_relaxed);
}

// Each INFO key with what its value sets; the values of the keys without a setter are read
// and ignored.
struct InfoKey {
  std::string_view keyword;
  void (*set)(const char* value);
};

constexpr InfoKey infoKeys[] = {
    {"max_memory", nullptr},
    {"timeout_match", nullptr},
    {"timeout_turn",
     [](const char* value) {
       gameState.timeoutTurn.store(parseClampedInt(value), std::memory_order_relaxed);
     }},
    {"time_left",
     [](const char* value) {
       gameState.timeLeft.store(parseClampedInt(value), std::memory_order_relaxed);
     }},
    {"game_type", nullptr},
    {"rule", [](const char* value) { commandRule(parseClampedInt(value)); }},
    {"folder",
     [](const char* value) {
       std::strncpy(gameState.dataFolder, value, sizeof gameState.dataFolder - 1);
       gameState.dataFolder[sizeof gameState.dataFolder - 1] = '\0';
     }},
    {"max_depth",
     [](const char* value) {
       gameState.depthLimit.store(limitValue(value), std::memory_order_relaxed);
     }},
    {"max_node",
     [](const char* value) {
       gameState.nodeLimit.store(limitValue(value), std::memory_order_relaxed);
     }},
};

void commandInfo(const char* args) {
  for (const InfoKey& key : infoKeys) {
    if (!startsWithKeyword(args, key.keyword)) continue;
    if (key.set != nullptr) key.set(skipBlanks(args + key.keyword.size()));
    return;
  }
}

}  // namespace

void setCommandInput(CharReader reader, void* context) {
  inputReader = reader != nullptr ? reader : readStandardInput;
  inputContext = reader != nullptr ? context : nullptr;
}

bool readCommandLine() {
  int stored = 0;
  for (;;) {
    const int c = inputReader(inputContext);
    if (c < 0) return false;
    if (stored < static_cast<int>(sizeof commandLine)) {
      commandLine[stored++] = static_cast<char>(c);
    }
    if (c == '\n') break;
  }
  commandLine[stored - 1] = '\0';
  if (stored >= 2 && commandLine[stored - 2] == '\r') commandLine[stored - 2] = '\0';
  return true;
}

const char* aboutLine() {
  return "name=\"Fivefold\", version=\"" FIVEFOLD_VERSION
         "\", author=\"Fivefold team\", country=\"International\"";
}

namespace {

enum Command {
  Info,
  Start,
  RectStart,
  Turn,
  Play,
  Begin,
  About,
  End,
  Board,
  Takeback,
  ShowForbid,
  NBest,
  Unknown
};

// The keyword of each command, in the order of Command.
constexpr std::string_view keywords[] = {"info",  "start",    "rectstart",    "turn",
                                         "play",  "begin",    "about",        "end",
                                         "board", "takeback", "yxshowforbid", "yxnbest"};

// The command that commandLine begins with, ASCII case ignored; the first keyword wins.
Command commandInLine() {
  for (int i = 0; i < Unknown; ++i) {
    if (startsWithKeyword(commandLine, keywords[i])) return static_cast<Command>(i);
  }
  return Unknown;
}

}  // namespace

bool commandLineIsBoard() {
  return commandInLine() == Board;
}

bool commandLineIsBoardStone() {
  // With no board set up yet, BOARD sets up the default one before it reads its stones.
  const bool none = gameState.width == 0;
  std::int32_t v[3];
  return readBoardStone(v, none ? defaultBoardSize : gameState.width,
                        none ? defaultBoardSize : gameState.height);
}

LoopAction dispatchCommand() {
  const Command command = commandInLine();
  const char* args = command == Unknown ? "" : skipBlanks(commandLine + keywords[command].size());
  switch (command) {
    case Info:
      commandInfo(args);
      break;
    case Start:
      commandStart(args);
      break;
    case RectStart:
      commandRectStart(args);
      break;
    case Turn:
      commandTurn(args);
      break;
    case Play:
      commandPlay(args);
      break;
    case Begin:
      commandBegin();
      break;
    case About:
      printLine("%s", aboutLine());
      break;
    case End:
      stopSearchAndWait();
      return LoopAction::Exit;
    case Board:
      return commandBoard();
    case Takeback:
      commandTakeback(args);
      break;
    case ShowForbid:
      commandShowForbid();
      break;
    case NBest:
      // Like the limits, a setting for the turns to come, with no answer.
      gameState.bestCount.store(limitValue(args), std::memory_order_relaxed);
      break;
    default:
      printLine("UNKNOWN command");
      break;
  }
  return LoopAction::Continue;
}

void runCommandLoop() {
  setUpProtocolStreams();
  startSearchWorker();
  while (readCommandLine() && dispatchCommand() == LoopAction::Continue) {
  }
  // The worker may still be running (end of input): end at once, without destructors
  // that could pull shared state from under it.
  exitAfterOutput(0);
}

}  // namespace fivefold
