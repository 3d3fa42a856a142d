#include "base/processor_placement.h"

#if defined(__linux__)
#include <sched.h>
#endif

namespace karvex {

int CurrentProcessor() {
#if defined(__linux__)
  return sched_getcpu();
#else
  return -1;
#endif
}

void LeaveProcessor(int processor) {
#if defined(__linux__)
  if (processor < 0 || processor >= CPU_SETSIZE) return;
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
  cpu_set_t elsewhere = allowed;
  CPU_CLR(processor, &elsewhere);
  if (CPU_COUNT(&elsewhere) == 0) return;
  // The first call moves the thread at once; the second leaves it where it
  // now runs.
  if (sched_setaffinity(0, sizeof elsewhere, &elsewhere) != 0) return;
  sched_setaffinity(0, sizeof allowed, &allowed);
#else
  (void)processor;
#endif
}

}  // namespace karvex
