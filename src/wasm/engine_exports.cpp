// The functions the WebAssembly engine exports to JavaScript. The Web Worker and the Node
// brain hand it the manager's input as bytes, in pieces of any size; every command whose
// lines are all there goes through the command loop's own dispatch at once, and a command
// that needs a move computes it inside the call (no second thread in a Web Worker), so
// each reply line is written, through printLine to standard output, before the call returns.
#include <emscripten/emscripten.h>

#include <string>

#include "protocol/command_loop.h"
#include "protocol/handoff.h"

namespace fivefold {
namespace {

std::string pending;  // input fed and not yet dispatched
bool engineEnded = false;

struct TextReader {
  const std::string& text;
  std::size_t position;
};

int readText(void* context) {
  auto* reader = static_cast<TextReader*>(context);
  if (reader->position >= reader->text.size()) return -1;
  return static_cast<unsigned char>(reader->text[reader->position++]);
}

// The length of the first whole command in the pending input: its line, and for BOARD the
// stone lines and the line that ends them; 0 while it is not all there.
std::size_t wholeCommandLength() {
  TextReader reader{pending, 0};
  setCommandInput(readText, &reader);
  if (!readCommandLine()) return 0;
  if (commandLineIsBoard()) {
    do {
      if (!readCommandLine()) return 0;
    } while (commandLineIsBoardStone());
  }
  return reader.position;
}

// Dispatches commands read from text, as the native loop does, until it ends the engine
// (true) or its end is reached.
bool dispatchAll(const std::string& text) {
  TextReader reader{text, 0};
  setCommandInput(readText, &reader);
  bool ended = false;
  while (!ended && readCommandLine()) {
    ended = dispatchCommand() == LoopAction::Exit;
  }
  setCommandInput(nullptr, nullptr);
  return ended;
}

}  // namespace
}  // namespace fivefold

extern "C" {

// Appends length bytes of input and dispatches every whole command in it. Returns 1 once
// the engine has ended (END); later input is ignored.
EMSCRIPTEN_KEEPALIVE int fivefold_feed(const char* bytes, int length) {
  using namespace fivefold;
  if (engineEnded) return 1;
  setTurnRunner(TurnRunner::Inline);
  pending.append(bytes, static_cast<std::size_t>(length));
  while (!engineEnded) {
    const std::size_t commandLength = wholeCommandLength();
    if (commandLength == 0) break;
    const std::string command = pending.substr(0, commandLength);
    pending.erase(0, commandLength);
    engineEnded = dispatchAll(command);
  }
  setCommandInput(nullptr, nullptr);
  return engineEnded ? 1 : 0;
}

// The end of input: what is pending is dispatched as the native brain reads its last lines
// (a BOARD without its end places its stones and starts no turn); the engine has ended.
EMSCRIPTEN_KEEPALIVE void fivefold_end_input() {
  using namespace fivefold;
  if (!engineEnded) {
    setTurnRunner(TurnRunner::Inline);
    dispatchAll(pending);
  }
  pending.clear();
  engineEnded = true;
}
}
