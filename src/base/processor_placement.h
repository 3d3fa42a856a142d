#pragma once
// Where a helper thread starts. Linux often starts a new thread on the
// processor of the thread that made it, and moves it to an idle one only
// some milliseconds later; a helper meant to work beside its maker shares
// one processor with it meanwhile (up to a fifth of a large drawing's
// time). The maker notes its processor, and the helper leaves that one
// first thing.
#include <thread>
#include <utility>

namespace karvex {

// The processor the calling thread runs on; -1 where that is not known.
int CurrentProcessor();

// Moves the calling thread off processor (when the process may run on
// another one), then lets it run anywhere it could before: the move is a
// start, not a pin. Does nothing for -1 or where threads cannot be moved.
void LeaveProcessor(int processor);

// A thread that runs body beside the calling thread: started off the
// caller's processor. Raises as std::thread does.
template <typename Body>
std::thread StartBeside(Body body) {
  const int makersProcessor = CurrentProcessor();
  return std::thread([makersProcessor, body = std::move(body)]() mutable {
    LeaveProcessor(makersProcessor);
    body();
  });
}

}  // namespace karvex
