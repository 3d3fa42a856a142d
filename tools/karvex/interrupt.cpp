#include "karvex/interrupt.h"

#include <atomic>
#include <csignal>

namespace karvex::tools {
namespace {

// A signal handler can only reach state through a static: this flag is the
// one thing it touches.
std::atomic<bool> interrupted{false};

extern "C" void OnSignal(int) { interrupted.store(true); }

}  // namespace

void WatchForInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool InterruptRequested() { return interrupted.load(); }

}  // namespace karvex::tools
