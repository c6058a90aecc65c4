// Runs the cases of a study on several threads.
#pragma once

#include <cstdint>
#include <functional>

namespace fluxeta::study {

// The number of threads that `-j jobs` asks for: every core for 0.
unsigned ThreadCount(unsigned jobs);

// Calls work(worker, index) once for every index in [0, count), on at most `threads`
// threads; worker (0 … threads − 1) tells which thread runs the call, so that each can
// keep records of its own. The threads take the next index as they become free, so the
// order of the calls varies, never the set. An exception thrown by `work` stops the
// other threads at their next index and is rethrown here once all have ended. When the
// system cannot create as many threads, the calls run on as many as it can, at the least
// on the calling thread.
void ForEachIndexInParallel(std::uint64_t count, unsigned threads,
                            const std::function<void(unsigned worker, std::uint64_t index)>& work);

}  // namespace fluxeta::study
