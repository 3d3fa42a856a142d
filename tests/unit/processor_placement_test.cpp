// A helper thread leaves its maker's processor, and is not pinned anywhere
// for that: it may run wherever the process may, as before.
#include <gtest/gtest.h>

#include <thread>

#include "base/processor_placement.h"
#include "base/processors.h"

#if defined(__linux__)
#include <sched.h>

namespace karvex::testing {
namespace {

cpu_set_t Affinity() {
  cpu_set_t set;
  CPU_ZERO(&set);
  sched_getaffinity(0, sizeof set, &set);
  return set;
}

// Runs check on a thread of its own, so the test's own affinity stays.
template <typename Check>
void OnAThread(Check check) {
  std::thread thread(check);
  thread.join();
}

TEST(ProcessorPlacement, AThreadLeavesTheProcessorAndStaysFreeToRunAnywhere) {
  if (ProcessorsAvailable() < 2) GTEST_SKIP() << "one processor: there is nowhere to go";
  OnAThread([] {
    const cpu_set_t before = Affinity();
    const int here = CurrentProcessor();
    ASSERT_GE(here, 0);
    LeaveProcessor(here);
    EXPECT_NE(CurrentProcessor(), here);
    const cpu_set_t after = Affinity();
    EXPECT_TRUE(CPU_EQUAL(&before, &after)) << "the thread was left pinned";
  });
}

TEST(ProcessorPlacement, AThreadStartedBesideItsMakerRunsOnAnotherProcessor) {
  if (ProcessorsAvailable() < 2) GTEST_SKIP() << "one processor: there is nowhere to go";
  OnAThread([] {
    const cpu_set_t before = Affinity();
    const int makers = CurrentProcessor();
    ASSERT_GE(makers, 0);
    int helpers = -1;
    cpu_set_t helpersAffinity;
    StartBeside([&] {
      helpers = CurrentProcessor();
      helpersAffinity = Affinity();
    }).join();
    EXPECT_NE(helpers, makers);
    EXPECT_TRUE(CPU_EQUAL(&before, &helpersAffinity)) << "the helper was left pinned";
  });
}

TEST(ProcessorPlacement, AThreadWithNowhereElseToGoStays) {
  OnAThread([] {
    const int here = CurrentProcessor();
    ASSERT_GE(here, 0);
    cpu_set_t only;
    CPU_ZERO(&only);
    CPU_SET(here, &only);
    ASSERT_EQ(sched_setaffinity(0, sizeof only, &only), 0);
    LeaveProcessor(here);
    EXPECT_EQ(CurrentProcessor(), here);
    const cpu_set_t after = Affinity();
    EXPECT_TRUE(CPU_EQUAL(&only, &after));
  });
}

TEST(ProcessorPlacement, AnUnknownProcessorChangesNothing) {
  OnAThread([] {
    const cpu_set_t before = Affinity();
    LeaveProcessor(-1);
    LeaveProcessor(1 << 20);
    const cpu_set_t after = Affinity();
    EXPECT_TRUE(CPU_EQUAL(&before, &after));
  });
}

}  // namespace
}  // namespace karvex::testing
#endif
