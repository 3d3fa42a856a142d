#include "karvex/worker_pool.h"

#include <atomic>
#include <thread>

#include "karvex/progress_bar.h"

namespace karvex::tools {

void RunOnWorkers(std::size_t jobs, std::size_t workers, const std::function<void(std::size_t, std::size_t)>& work,
                  const std::function<bool()>& stop) {
  std::atomic<std::size_t> nextJob{0};
  auto run = [&](std::size_t worker) {
    for (;;) {
      if (stop()) return;
      const std::size_t job = nextJob.fetch_add(1);
      if (job >= jobs) return;
      work(worker, job);
    }
  };
  if (workers <= 1) {
    run(0);
    return;
  }
  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (std::size_t worker = 0; worker < workers; ++worker) threads.emplace_back(run, worker);
  for (std::thread& thread : threads) thread.join();
}

void OrderedReport::Deliver(std::size_t job, std::vector<std::string> lines) {
  std::lock_guard lock(mutex_);
  pending_[job] = std::move(lines);
  while (next_ < pending_.size() && pending_[next_]) {
    if (!pending_[next_]->empty()) bar_.PrintLines(*pending_[next_]);
    pending_[next_].reset();
    ++next_;
  }
}

void OrderedReport::Flush() {
  std::lock_guard lock(mutex_);
  for (; next_ < pending_.size(); ++next_) {
    if (pending_[next_] && !pending_[next_]->empty()) bar_.PrintLines(*pending_[next_]);
    pending_[next_].reset();
  }
}

}  // namespace karvex::tools
