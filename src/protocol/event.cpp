#include "protocol/event.h"

namespace fivefold {

void initEvent(Event& event, bool manualReset, bool signalled) {
  std::lock_guard lock(event.mutex);
  event.manualReset = manualReset;
  event.signalled = signalled;
}

void setEvent(Event& event) {
  {
    std::lock_guard lock(event.mutex);
    event.signalled = true;
  }
  if (event.manualReset) {
    event.changed.notify_all();
  } else {
    event.changed.notify_one();
  }
}

void resetEvent(Event& event) {
  std::lock_guard lock(event.mutex);
  event.signalled = false;
}

void waitEvent(Event& event) {
  std::unique_lock lock(event.mutex);
  event.changed.wait(lock, [&] { return event.signalled; });
  if (!event.manualReset) event.signalled = false;
}

}  // namespace fivefold
