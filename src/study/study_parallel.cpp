#include "fluxeta/study/study_parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace fluxeta::study {

unsigned ThreadCount(unsigned jobs) {
  if (jobs > 0) {
    return jobs;
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

void ForEachIndexInParallel(std::uint64_t count, unsigned threads,
                            const std::function<void(unsigned worker, std::uint64_t index)>& work) {
  const auto workers =
      static_cast<unsigned>(std::max<std::uint64_t>(1, std::min<std::uint64_t>(threads, count)));
  if (workers == 1) {
    for (std::uint64_t index = 0; index < count; ++index) {
      work(0, index);
    }
    return;
  }

  std::atomic<std::uint64_t> nextIndex{0};
  std::atomic<bool> stopping{false};
  std::exception_ptr firstFailure;
  std::mutex failureGuard;
  const auto runWorker = [&](unsigned worker) {
    try {
      for (std::uint64_t index = nextIndex.fetch_add(1, std::memory_order_relaxed);
           index < count && !stopping.load(std::memory_order_relaxed);
           index = nextIndex.fetch_add(1, std::memory_order_relaxed)) {
        work(worker, index);
      }
    } catch (...) {
      std::lock_guard lock(failureGuard);
      if (!firstFailure) {
        firstFailure = std::current_exception();
      }
      stopping = true;
    }
  };

  // Worker 0 is the calling thread itself. A thread the system refuses to create (a
  // limit on processes, on memory) leaves its share to the workers that run: fewer
  // threads, the same calls.
  std::vector<std::jthread> pool;
  pool.reserve(workers - 1);
  for (unsigned worker = 1; worker < workers; ++worker) {
    try {
      pool.emplace_back(runWorker, worker);
    } catch (const std::system_error&) {
      break;
    }
  }
  runWorker(0);
  pool.clear();  // joins
  if (firstFailure) {
    std::rethrow_exception(firstFailure);
  }
}

}  // namespace fluxeta::study
