#include "protocol/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace fivefold {
namespace {

using namespace std::chrono_literals;

TEST(Event, AutoResetReleasesOneWaiterPerSignal) {
  Event event(/*manual=*/false, /*initiallySignalled=*/false);
  std::atomic<int> released{0};
  std::thread first([&] {
    waitEvent(event);
    released.fetch_add(1);
  });
  std::thread second([&] {
    waitEvent(event);
    released.fetch_add(1);
  });
  setEvent(event);
  while (released.load() == 0) std::this_thread::sleep_for(1ms);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(1, released.load());  // the signal cleared itself as the first wait returned
  setEvent(event);
  first.join();
  second.join();
  EXPECT_EQ(2, released.load());
  EXPECT_FALSE(event.signalled);
}

TEST(Event, ManualResetStaysSignalledUntilReset) {
  Event event(/*manual=*/true, /*initiallySignalled=*/true);
  waitEvent(event);
  waitEvent(event);  // does not block: still signalled
  resetEvent(event);
  std::atomic<bool> done{false};
  std::thread waiter([&] {
    waitEvent(event);
    done.store(true);
  });
  std::this_thread::sleep_for(30ms);
  EXPECT_FALSE(done.load());
  setEvent(event);
  waiter.join();
  EXPECT_TRUE(done.load());
  EXPECT_TRUE(event.signalled);
}

}  // namespace
}  // namespace fivefold
