// A waitable event with the semantics of the kernel events the hand-off is built on:
// an auto-reset event releases one waiter per signal and clears itself; a manual-reset
// event stays signalled until it is reset. Waits have no time limit.
#pragma once

#include <condition_variable>
#include <mutex>

namespace fivefold {

struct Event {
  Event(bool manual, bool initiallySignalled)
      : signalled(initiallySignalled), manualReset(manual) {}
  std::mutex mutex;
  std::condition_variable changed;
  bool signalled;
  bool manualReset;
};

void initEvent(Event& event, bool manualReset, bool signalled);
void setEvent(Event& event);
void resetEvent(Event& event);
void waitEvent(Event& event);

}  // namespace fivefold
