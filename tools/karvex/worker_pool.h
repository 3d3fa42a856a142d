#pragma once
// Runs numbered jobs on a few threads, each job once, and lines of text
// that jobs produce in job order, whatever order they finish in.
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace karvex::tools {

class ProgressBar;

// Runs work(worker, job) for every job from 0 to jobs - 1 on `workers`
// threads (worker 0 to workers - 1; one thread when workers is 1, the
// calling one). Jobs are handed out in order; none is handed out once
// stop() holds. Returns when all threads are done.
void RunOnWorkers(std::size_t jobs, std::size_t workers, const std::function<void(std::size_t, std::size_t)>& work,
                  const std::function<bool()>& stop);

// Prints each job's lines once all earlier jobs have printed theirs, so the
// messages of a batch come in input order whatever -j is.
class OrderedReport {
 public:
  OrderedReport(ProgressBar& bar, std::size_t jobs) : bar_(bar), pending_(jobs) {}
  void Deliver(std::size_t job, std::vector<std::string> lines);
  // Prints what is held for jobs that never delivered (a stopped run).
  void Flush();

 private:
  ProgressBar& bar_;
  std::mutex mutex_;
  std::vector<std::optional<std::vector<std::string>>> pending_;
  std::size_t next_ = 0;
};

}  // namespace karvex::tools
