// libFuzzer target: arbitrary bytes as the manager's input to the command loop, with the
// real worker and move decision behind it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/output.h"
#include "decision/decision_state.h"
#include "decision/opening_random.h"
#include "decision/search_clock.h"
#include "protocol/command_loop.h"
#include "protocol/handoff.h"
#include "protocol/search_worker.h"

namespace {

struct ByteInput {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
};

int readByte(void* context) {
  auto* input = static_cast<ByteInput*>(context);
  if (input->position >= input->size) return -1;
  return input->data[input->position++];
}

std::vector<std::string> lines;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fivefold;
  startSearchWorker();
  stopSearchAndWait();  // the previous input's turn, if any, is over
  resetGameState();
  resetHandoff();
  resetDecisionState();
  resetSearchState();
  resetOpeningRandom();
  lines.clear();
  setLineCapture(&lines);
  ByteInput input{data, size, 0};
  setCommandInput(readByte, &input);
  while (readCommandLine() && dispatchCommand() == LoopAction::Continue) {
  }
  stopSearchAndWait();
  setCommandInput(nullptr, nullptr);
  return 0;
}
