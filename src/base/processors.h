#pragma once
// How many processors this process may run on: its affinity, not the
// machine's count (a program started on one core must not plan for two).

namespace karvex {

unsigned ProcessorsAvailable();

}  // namespace karvex
