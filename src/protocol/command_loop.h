// The main thread: reads the manager's commands line by line, acts on them and answers.
#pragma once

namespace fivefold {

// The current line: at most 255 characters and a terminating NUL.
extern char commandLine[256];

// Where the loop's characters come from: a function returning the next byte (0..255) or
// a negative value at end of input. The default reads standard input.
using CharReader = int (*)(void* context);
void setCommandInput(CharReader reader, void* context);

// Reads one line into commandLine; false at end of input (also in the middle of a line).
bool readCommandLine();

enum class LoopAction { Continue, Exit };

// Acts on the text in commandLine. Exit: the process is to end with status 0 now (END,
// or end of input while BOARD reads its lines).
LoopAction dispatchCommand();

// For a front that is handed the manager's input in pieces and must not dispatch BOARD
// before the line that ends its stone lines has come: whether commandLine holds BOARD, and
// whether it holds a stone line that BOARD reads on ("x,y,who"; DONE or any other line
// ends them).
bool commandLineIsBoard();
bool commandLineIsBoardStone();

// The program: starts the worker, then reads and dispatches until END or end of input.
[[noreturn]] void runCommandLoop();

// The about line, as ABOUT prints it.
const char* aboutLine();

}  // namespace fivefold
